// The view of app/core/dialog_view.h over the page's DOM. Each dialog of
// app/res is built from its template as the windows build it: dialog units
// from the dialog font's average character width and height, controls in
// template order (which is the tab order), the default button, labels naming
// their fields, radio buttons grouped as the template groups them. Clicks,
// the operator's edits and choices, Escape and the close box go to the module.

const FONT_FALLBACKS = 'SimSun, "AR PL UMing CN", "Songti SC", sans-serif';
const LATIN_LETTERS = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';

const TEXT_FIELDS = ['edit', 'plain_edit', 'read_only_edit', 'multi_line_text', 'wrapped_text'];
// Steps keep each line whole in fixed pitch; prose wraps in the dialog's font.
const MULTI_LINE_CLASSES = { multi_line_text: 'multi-line', wrapped_text: 'wrapped' };
const BOXES = ['auto_check_box', 'auto_radio_button'];
const BUTTONS = ['default_push_button', 'push_button'];
const LABELS = ['label', 'right_label'];

function fontFamily(face) {
    return `"${face}", ${FONT_FALLBACKS}`;
}

// Windows rounds dialog-unit conversions to the nearest pixel.
function mulDiv(value, numerator, denominator) {
    return Math.trunc((value * numerator + Math.trunc(denominator / 2)) / denominator);
}

// Horizontal base unit: the average width of the Latin letters; vertical: the
// font's height. x dialog units are x * base / 4 pixels, y are y * base / 8.
function dialogUnits(template) {
    const context = document.createElement('canvas').getContext('2d');
    context.font = `${template.points}pt ${fontFamily(template.font)}`;
    const metrics = context.measureText(LATIN_LETTERS);
    const baseX = Math.trunc((Math.trunc(Math.round(metrics.width) / 26) + 1) / 2);
    const ascent = metrics.fontBoundingBoxAscent ?? metrics.actualBoundingBoxAscent;
    const descent = metrics.fontBoundingBoxDescent ?? metrics.actualBoundingBoxDescent;
    const baseY = Math.round(ascent) + Math.round(descent);
    return { x: (units) => mulDiv(units, baseX, 4), y: (units) => mulDiv(units, baseY, 8) };
}

function element(tag, properties = {}, children = []) {
    const made = Object.assign(document.createElement(tag), properties);
    made.append(...children);
    return made;
}

// A menu text's ampersand marks its access key, shown underlined; "&&" is one.
function menuText(text) {
    const parts = [];
    let key = '';
    for (let i = 0; i < text.length; ++i) {
        if (text[i] === '&' && i + 1 < text.length) {
            ++i;
            if (text[i] !== '&' && !key) {
                key = text[i].toLowerCase();
                parts.push(element('u', { textContent: text[i] }));
                continue;
            }
        }
        parts.push(text[i]);
    }
    return { parts, key };
}

class DomView {
    // `actions`: command(dialog, id), change(dialog, id), cancel(dialog),
    // menu(command), typingPasses(ctrlHeld, codePoint): the module's exports.
    constructor(desktop, actions, icons) {
        this.desktop = desktop;
        this.actions = actions;
        this.icons = icons;
        this.dialogs = new Map();
        this.topmost = 1;
        this.menu = null;
        this.madeIds = 0;
    }

    // The page's templates, menu and caption, before any dialog opens.
    useDescription(description) {
        this.description = description;
        this.templates = new Map(description.templates.map((t) => [t.id, t]));
    }

    // An identifier of the page's own, for what the template names none.
    newId(prefix) {
        return `${prefix}-${++this.madeIds}`;
    }

    // ---- The view's calls.

    fieldText(d, id) {
        return this.control(d, id, ['edit'])?.control.value ?? '';
    }
    setFieldText(d, id, text) {
        const found = this.control(d, id, ['edit']);
        if (found) showStartOf(found.control, text);
    }
    controlText(d, id) {
        const found = this.control(d, id, [...TEXT_FIELDS, ...BOXES, ...BUTTONS, ...LABELS,
            'drop_down_list']);
        if (!found) return '';
        if (found.kind === 'drop_down_list') {
            return found.control.selectedOptions[0]?.textContent ?? '';
        }
        return TEXT_FIELDS.includes(found.kind) ? found.control.value : found.text.textContent;
    }
    setControlText(d, id, text) {
        const found = this.control(d, id, [...TEXT_FIELDS, ...BOXES, ...BUTTONS, ...LABELS]);
        if (!found) return;
        if (TEXT_FIELDS.includes(found.kind)) showStartOf(found.control, text);
        else found.text.textContent = text; // a label names its field by this text
    }
    isChecked(d, id) {
        return this.control(d, id, BOXES)?.control.checked ?? false;
    }
    setChecked(d, id, checked) {
        const found = this.control(d, id, BOXES);
        if (found) found.control.checked = checked;
    }
    setEnabled(d, id, enabled) {
        const found = this.control(d, id);
        if (!found) return;
        if ('disabled' in found.control) found.control.disabled = !enabled;
        found.box.classList.toggle('disabled', !enabled);
    }
    setFocus(d, id) {
        this.control(d, id)?.control.focus();
    }
    setVisible(d, id, visible) {
        const found = this.control(d, id);
        if (found) found.box.hidden = !visible;
    }
    moveControl(d, id, x, y) {
        const found = this.control(d, id);
        const units = this.dialogs.get(d)?.units;
        if (!found || !units) return;
        Object.assign(found.box.style, { left: `${units.x(x)}px`, top: `${units.y(y)}px` });
    }
    resizeDialog(d, width, height) {
        const entry = this.dialogs.get(d);
        if (entry?.client) {
            Object.assign(entry.client.style,
                { width: `${entry.units.x(width)}px`, height: `${entry.units.y(height)}px` });
        }
    }
    setListItems(d, id, items) {
        const found = this.control(d, id, ['drop_down_list']);
        if (!found) return;
        found.control.replaceChildren(...items.map((item) => element('option', { textContent: item })));
        found.control.selectedIndex = items.length > 0 ? 0 : -1;
    }
    selectedIndex(d, id) {
        return this.control(d, id, ['drop_down_list'])?.control.selectedIndex ?? -1;
    }
    selectIndex(d, id, index) {
        const list = this.control(d, id, ['drop_down_list'])?.control;
        if (list) list.selectedIndex = index >= 0 && index < list.length ? index : -1;
    }

    // OK only, no icon, the application's name as caption; modal over the page.
    messageBox(d, text) {
        const box = element('dialog', { className: 'window message-box' });
        const close = () => this.dismiss(box, previous);
        const ok = element('button', { type: 'button', textContent: 'OK', className: 'push default' });
        ok.addEventListener('click', close);
        const caption = this.titleBar(box, this.description.application, close);
        const message = element('p', { className: 'message-text', textContent: text,
            id: `${caption.id}-text` });
        box.setAttribute('aria-describedby', message.id);
        box.append(element('div', { className: 'message-body' },
            [message, element('div', { className: 'message-buttons' }, [ok])]));
        box.addEventListener('cancel', (event) => { event.preventDefault(); close(); });
        const previous = document.activeElement;
        document.body.append(box);
        box.showModal();
        ok.focus();
    }

    openDialog(owner, d, templateId, modal) {
        const template = this.templates.get(templateId);
        const mode = owner === 0 ? 'main' : modal ? 'modal' : 'modeless';
        const root = element(mode === 'main' ? 'main' : 'dialog', { className: `window ${mode}` });
        const entry = { template, mode, root, controls: new Map(), previous: document.activeElement };
        this.dialogs.set(d, entry);
        const close = mode === 'main' ? null : () => this.actions.cancel(d);
        const caption = this.titleBar(root, template.caption, close);
        if (mode === 'main') {
            caption.before(this.menuButton());
            document.title = template.caption;
        }
        root.append(this.buildClient(d, entry));
        this.listenForKeys(d, entry);
        if (mode === 'main') {
            this.desktop.append(root);
        } else {
            root.addEventListener('cancel', (event) => { event.preventDefault(); close(); });
            document.body.append(root);
        }
        if (mode === 'modal') {
            root.showModal();
        } else if (mode === 'modeless') {
            root.show();
            this.placeBeside(root, this.dialogs.get(owner).root);
            this.raiseDialog(d);
            this.makeDraggable(root);
        }
    }
    raiseDialog(d) {
        const entry = this.dialogs.get(d);
        if (!entry) return;
        entry.root.style.zIndex = String(++this.topmost);
        const focus = entry.lastFocus?.isConnected ? entry.lastFocus : entry.root.querySelector(
            '.client :is(input, button, select, textarea):not([tabindex="-1"]):not(:disabled)');
        focus?.focus();
    }
    closeDialog(d) {
        const entry = this.dialogs.get(d);
        if (!entry) return;
        this.dialogs.delete(d);
        this.dismiss(entry.root, entry.previous);
    }

    // ---- Building.

    // The caption bar: the caption, and a close box where the dialog has one.
    titleBar(root, text, close) {
        const caption = element('span', { className: 'caption', textContent: text,
            id: this.newId('caption') });
        root.setAttribute('aria-labelledby', caption.id);
        const bar = element('div', { className: 'title-bar' }, [caption]);
        keepFocusOnPress(bar);
        if (close) {
            const closeBox = element('button', { type: 'button', className: 'close-box',
                tabIndex: -1, textContent: '×' });
            closeBox.setAttribute('aria-label', 'Close');
            closeBox.addEventListener('click', close);
            bar.append(closeBox);
        }
        root.append(bar);
        return caption;
    }

    buildClient(d, entry) {
        const { template } = entry;
        const units = dialogUnits(template);
        const client = element('div', { className: 'client' });
        Object.assign(entry, { units, client });
        keepFocusOnPress(client);
        Object.assign(client.style, {
            width: `${units.x(template.width)}px`, height: `${units.y(template.height)}px`,
            font: `${template.points}pt ${fontFamily(template.font)}`,
        });
        let group = 0;
        const built = template.controls.map((c, index) => {
            if (c.group && index > 0) ++group;
            const made = this.makeControl(d, c, `d${d}-g${group}`);
            Object.assign(made.box.style, {
                left: `${units.x(c.x)}px`, top: `${units.y(c.y)}px`,
                width: `${units.x(c.width)}px`, height: `${units.y(c.height)}px`,
            });
            if (c.id !== -1) entry.controls.set(c.id, { ...made, kind: c.kind });
            client.append(made.box);
            return made;
        });
        // A label's buddy takes its text as its accessible name.
        template.controls.forEach((c, index) => {
            const buddy = entry.controls.get(c.buddy);
            if (LABELS.includes(c.kind) && buddy) built[index].text.htmlFor = buddy.control.id;
        });
        return client;
    }

    // box: what is placed; control: what takes the focus and holds the state;
    // text: what shows the caption.
    makeControl(d, c, groupName) {
        const id = c.id === -1 ? this.newId(`d${d}-static`) : `d${d}-c${c.id}`;
        const command = () => this.actions.command(d, c.id);
        const change = () => this.actions.change(d, c.id);
        let made;
        if (BUTTONS.includes(c.kind)) {
            const button = element('button', { type: 'button', id, textContent: c.caption,
                className: c.kind === 'default_push_button' ? 'push default' : 'push' });
            button.addEventListener('click', command);
            made = { box: button, control: button, text: button };
        } else if (BOXES.includes(c.kind)) {
            const input = element('input', { id,
                type: c.kind === 'auto_check_box' ? 'checkbox' : 'radio', name: groupName });
            input.addEventListener('click', command); // after it has toggled itself
            const text = element('span', { textContent: c.caption });
            made = { box: element('label', { className: 'box' }, [input, text]), control: input, text };
        } else if (TEXT_FIELDS.includes(c.kind)) {
            const field = MULTI_LINE_CLASSES[c.kind]
                ? element('textarea', { id, readOnly: true, className: MULTI_LINE_CLASSES[c.kind] })
                : element('input', { id, type: 'text', readOnly: c.kind === 'read_only_edit',
                    className: c.kind === 'edit' ? 'hex' : 'text' });
            Object.assign(field, { spellcheck: false, autocomplete: 'off' });
            if (c.kind === 'edit' || c.kind === 'plain_edit') field.addEventListener('input', change);
            if (c.kind === 'edit') this.filterTyping(field);
            made = { box: field, control: field, text: field };
        } else if (c.kind === 'drop_down_list') {
            const list = element('select', { id });
            list.addEventListener('change', change);
            made = { box: list, control: list, text: list };
        } else if (c.kind === 'icon') {
            const icon = element('img', { src: this.icons.large, alt: '', className: 'icon' });
            made = { box: icon, control: icon, text: icon };
        } else {
            const label = element('label', { textContent: c.caption,
                className: c.kind === 'right_label' ? 'label right' : 'label' });
            made = { box: label, control: label, text: label };
        }
        if (!c.tabStop && made.control.tabIndex >= 0) made.control.tabIndex = -1;
        return made;
    }

    // Typed characters pass the windows' filter; with Ctrl held every one
    // does. Pasting is not typing.
    filterTyping(field) {
        let ctrlHeld = false;
        field.addEventListener('keydown', (event) => { if (event.key === 'Control') ctrlHeld = true; });
        field.addEventListener('keyup', (event) => { if (event.key === 'Control') ctrlHeld = false; });
        field.addEventListener('beforeinput', (event) => {
            if (event.inputType !== 'insertText' || event.data === null) return;
            const passes = [...event.data].every(
                (character) => this.actions.typingPasses(ctrlHeld, character.codePointAt(0)));
            if (!passes) event.preventDefault();
        });
    }

    // Enter presses the default button unless a push button has the focus;
    // Escape closes any dialog but the main window.
    listenForKeys(d, entry) {
        entry.root.addEventListener('focusin', (event) => { entry.lastFocus = event.target; });
        entry.root.addEventListener('keydown', (event) => {
            const plain = !event.altKey && !event.ctrlKey && !event.metaKey && !event.shiftKey;
            if (event.key === 'Enter' && plain && !(event.target instanceof HTMLButtonElement)) {
                const button = entry.root.querySelector('.client button.default');
                event.preventDefault();
                if (button && !button.disabled && !button.hidden) button.click();
            } else if (event.key === 'Escape' && plain && entry.mode !== 'main') {
                event.preventDefault();
                this.actions.cancel(d);
            } else if (event.key === ' ' && event.altKey && entry.mode === 'main') {
                event.preventDefault();
                const bar = entry.root.querySelector('.title-bar').getBoundingClientRect();
                this.openMenu(bar.left + window.scrollX, bar.bottom + window.scrollY,
                    document.activeElement);
            }
        });
        if (entry.mode === 'main') {
            // The page's own menu on a text stays: it copies and pastes.
            entry.root.addEventListener('contextmenu', (event) => {
                if (event.target.closest('input, textarea, select')) return;
                event.preventDefault();
                this.openMenu(event.pageX, event.pageY, document.activeElement);
            });
        }
    }

    dismiss(root, previous) {
        if (root.open) root.close();
        root.remove();
        if (previous?.isConnected) previous.focus();
    }

    // Right of the owner where the page has room, else left of it, else as
    // far right as the page allows; level with its top.
    placeBeside(root, ownerRoot) {
        const gap = 8;
        const owner = ownerRoot.getBoundingClientRect();
        const size = root.getBoundingClientRect();
        const left = window.scrollX;
        const right = left + document.documentElement.clientWidth;
        const top = window.scrollY;
        const bottom = top + document.documentElement.clientHeight;
        let x = owner.right + left + gap;
        if (x + size.width > right) x = owner.left + left - gap - size.width;
        if (x < left) x = Math.max(left, right - size.width);
        const lowest = Math.max(top, bottom - size.height);
        const y = Math.min(Math.max(owner.top + top, top), lowest);
        Object.assign(root.style, { left: `${x}px`, top: `${y}px` });
    }

    makeDraggable(root) {
        const bar = root.querySelector('.title-bar');
        bar.addEventListener('pointerdown', (down) => {
            if (down.button !== 0 || down.target.closest('button')) return;
            const start = { x: down.pageX - root.offsetLeft, y: down.pageY - root.offsetTop };
            const move = (event) => Object.assign(root.style, {
                left: `${event.pageX - start.x}px`, top: `${Math.max(0, event.pageY - start.y)}px` });
            bar.setPointerCapture(down.pointerId);
            bar.addEventListener('pointermove', move);
            bar.addEventListener('pointerup', () => bar.removeEventListener('pointermove', move),
                { once: true });
        });
        root.addEventListener('pointerdown', () => { root.style.zIndex = String(++this.topmost); });
    }

    // ---- The main window's menu, as the windows' system or context menu.

    menuButton() {
        const button = element('button', { type: 'button', className: 'menu-button', tabIndex: -1 },
            [element('img', { src: this.icons.small, alt: '' })]);
        button.setAttribute('aria-label', 'Menu');
        button.setAttribute('aria-haspopup', 'menu');
        button.addEventListener('click', () => {
            const at = button.getBoundingClientRect();
            this.openMenu(at.left + window.scrollX, at.bottom + window.scrollY, document.activeElement);
        });
        return button;
    }

    openMenu(x, y, previous) {
        this.closeMenu();
        const close = () => this.closeMenu(previous);
        const items = this.description.menu.map((entry) => {
            const { parts, key } = menuText(entry.text);
            const item = element('button', { type: 'button', className: 'menu-item' }, parts);
            item.setAttribute('role', 'menuitem');
            item.dataset.key = key;
            item.addEventListener('click', () => { close(); this.actions.menu(entry.command); });
            return item;
        });
        const menu = element('div', { className: 'menu' }, items);
        menu.setAttribute('role', 'menu');
        menu.addEventListener('keydown', (event) => menuKey(event, items, close));
        // Tabbing away or pressing elsewhere closes it; a click on an entry
        // need not focus it first.
        menu.addEventListener('focusout', (event) => {
            if (event.relatedTarget && !menu.contains(event.relatedTarget)) this.closeMenu();
        });
        const pressedElsewhere = (event) => {
            if (!menu.contains(event.target)) this.closeMenu();
        };
        document.addEventListener('pointerdown', pressedElsewhere, true);
        Object.assign(menu.style, { left: `${x}px`, top: `${y}px` });
        document.body.append(menu);
        this.menu = { element: menu, pressedElsewhere };
        items[0]?.focus();
    }

    closeMenu(previous) {
        if (this.menu) {
            document.removeEventListener('pointerdown', this.menu.pressedElsewhere, true);
            this.menu.element.remove();
            this.menu = null;
        }
        if (previous?.isConnected) previous.focus();
    }

    // The control of dialog `d` with this identifier, when it is of one of
    // `kinds` (any kind when none are given).
    control(d, id, kinds) {
        const found = this.dialogs.get(d)?.controls.get(id);
        return found && (!kinds || kinds.includes(found.kind)) ? found : null;
    }
}

// A press on a window's background or caption leaves the focus where it
// was, as in the windows, rather than taking it to the page.
function keepFocusOnPress(area) {
    area.addEventListener('mousedown', (event) => {
        if (event.target === area || event.target.classList.contains('caption')) {
            event.preventDefault();
        }
    });
}

// A field shows the start of what it was given, as a Win32 edit does.
function showStartOf(field, text) {
    field.value = text;
    if (field instanceof HTMLInputElement) {
        field.setSelectionRange(0, 0);
        field.scrollLeft = 0;
    }
}

function menuKey(event, items, close) {
    const at = items.indexOf(document.activeElement);
    const step = { ArrowDown: 1, ArrowUp: -1 }[event.key];
    if (step) {
        items[(at + step + items.length) % items.length].focus();
    } else if (event.key === 'Escape' || event.key === 'Tab') {
        close();
    } else {
        const chosen = items.find((item) => item.dataset.key && item.dataset.key === event.key.toLowerCase());
        if (!chosen) return;
        chosen.click();
    }
    event.preventDefault();
}
