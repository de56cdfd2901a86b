// The module's side of the page: its imports turned into calls of a view that
// speaks JavaScript strings, and its exports turned into a page object. The
// page's DOM view and the tests' fake view both sit behind it.
//
// A view has: fieldText, setFieldText, controlText, setControlText, isChecked,
// setChecked, setEnabled, setFocus, setVisible, moveControl, resizeDialog (in
// dialog units), setListItems, selectedIndex,
// selectIndex, messageBox, openDialog(owner, dialog, templateId, modal),
// raiseDialog and closeDialog; each takes the dialog's number first, then the
// control's identifier.

const utf8Encoder = new TextEncoder();
const utf8Decoder = new TextDecoder();

// A hex field's text in the program's 8-bit character set: one byte per
// UTF-16 unit, '?' for anything outside Latin-1.
function latin1Bytes(text) {
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) {
        const unit = text.charCodeAt(i);
        bytes[i] = unit <= 0xff ? unit : 0x3f;
    }
    return bytes;
}

// A page has no files, clock, arguments or environment to offer, should the
// C library ever ask the system: the arguments and the environment are
// empty, anything else is "not supported" (ENOSYS), and an exit stops the
// call that asked.
function systemStubs(memoryOf) {
    const ENOSYS = 52;
    const noneCounted = (countPointer, sizePointer) => {
        const words = new DataView(memoryOf().buffer);
        words.setUint32(countPointer, 0, true);
        words.setUint32(sizePointer, 0, true);
        return 0;
    };
    const named = {
        args_sizes_get: noneCounted,
        environ_sizes_get: noneCounted,
        args_get: () => 0,
        environ_get: () => 0,
        proc_exit: (status) => { throw new Error(`the module exited with status ${status}`); },
    };
    return new Proxy(named, { get: (stubs, name) => stubs[name] ?? (() => ENOSYS) });
}

function compileOrvelin(wasmBytes) {
    return WebAssembly.compile(wasmBytes);
}

// Instantiates the module over `view` and returns what the page calls.
async function startOrvelin(compiled, view) {
    let memory = null;
    // The memory may grow, which replaces its buffer: views are made anew.
    const bytesAt = (pointer, length) => new Uint8Array(memory.buffer, pointer, length);
    const textAt = (pointer, length) => utf8Decoder.decode(bytesAt(pointer, length));
    const copyOut = (bytes, pointer, capacity) => {
        bytesAt(pointer, Math.min(capacity, bytes.length)).set(bytes.subarray(0, capacity));
        return bytes.length;
    };
    const itemsAt = (pointer, length) => {
        const items = textAt(pointer, length).split('\0');
        items.pop(); // each item ends with a NUL
        return items;
    };
    const flag = (value) => (value ? 1 : 0);
    const env = {
        field_text: (d, c, pointer, capacity) =>
            copyOut(latin1Bytes(view.fieldText(d, c)), pointer, capacity),
        set_field_text: (d, c, pointer, length) => view.setFieldText(d, c, textAt(pointer, length)),
        control_text: (d, c, pointer, capacity) =>
            copyOut(utf8Encoder.encode(view.controlText(d, c)), pointer, capacity),
        set_control_text: (d, c, pointer, length) =>
            view.setControlText(d, c, textAt(pointer, length)),
        is_checked: (d, c) => flag(view.isChecked(d, c)),
        set_checked: (d, c, checked) => view.setChecked(d, c, checked !== 0),
        set_enabled: (d, c, enabled) => view.setEnabled(d, c, enabled !== 0),
        set_focus: (d, c) => view.setFocus(d, c),
        set_visible: (d, c, visible) => view.setVisible(d, c, visible !== 0),
        move_control: (d, c, x, y) => view.moveControl(d, c, x, y),
        resize_dialog: (d, width, height) => view.resizeDialog(d, width, height),
        set_list_items: (d, c, pointer, length) => view.setListItems(d, c, itemsAt(pointer, length)),
        selected_index: (d, c) => view.selectedIndex(d, c),
        select_index: (d, c, index) => view.selectIndex(d, c, index),
        message_box: (d, pointer, length) => view.messageBox(d, textAt(pointer, length)),
        open_dialog: (owner, d, templateId, modal) =>
            view.openDialog(owner, d, templateId, modal !== 0),
        raise_dialog: (d) => view.raiseDialog(d),
        close_dialog: (d) => view.closeDialog(d),
    };
    const instance = await WebAssembly.instantiate(compiled, {
        env, wasi_snapshot_preview1: systemStubs(() => memory),
    });
    const exports = instance.exports;
    memory = exports.memory;
    exports._initialize();

    return {
        // A new page; read its description, then show it.
        createPage() {
            const page = exports.page_create();
            const description = JSON.parse(
                textAt(exports.page_description(page), exports.page_description_length(page)));
            return {
                description,
                show: () => exports.page_show(page),
                command: (dialog, id) => exports.dialog_command(page, dialog, id) !== 0,
                change: (dialog, id) => exports.dialog_change(page, dialog, id),
                cancel: (dialog) => exports.dialog_cancel(page, dialog),
                menu: (command) => exports.menu_command(page, command),
                destroy: () => exports.page_destroy(page),
            };
        },
        // Whether a character typed into a hex field goes in.
        typingPasses: (ctrlHeld, codePoint) =>
            exports.typing_filter_passes(flag(ctrlHeld), codePoint) !== 0,
    };
}
