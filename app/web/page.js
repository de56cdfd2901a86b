// Start-up: the module embedded in the page is compiled and started over the
// DOM view, and the main window opened. Nothing is fetched and nothing kept.

function moduleBytes() {
    const text = atob(document.getElementById('orvelin-module').textContent.trim());
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    return bytes;
}

function iconOf(size) {
    return document.querySelector(`link[rel="icon"][sizes="${size}"]`).href;
}

async function openOrvelin() {
    const compiled = await compileOrvelin(moduleBytes());
    let page = null;
    const view = new DomView(document.getElementById('desktop'), {
        command: (dialog, id) => page.command(dialog, id),
        change: (dialog, id) => page.change(dialog, id),
        cancel: (dialog) => page.cancel(dialog),
        menu: (command) => page.menu(command),
        typingPasses: (ctrlHeld, codePoint) => running.typingPasses(ctrlHeld, codePoint),
    }, { small: iconOf('16x16'), large: iconOf('32x32') });
    const running = await startOrvelin(compiled, view);
    page = running.createPage();
    view.useDescription(page.description);
    page.show();
    performance.mark('orvelin-usable');
}

openOrvelin().catch((error) => {
    document.getElementById('desktop').append(
        element('p', { className: 'failure', role: 'alert',
            textContent: `Orvelin could not start in this browser: ${error.message}` }));
    console.error(error);
});
