// The page's WebAssembly module under Node, through the page's own bridge
// (app/web/bridge.js) over a fake view that keeps the controls as plain
// values: the main window's buttons give the native core's published answers
// and NIST's, refuse as it does, and the menu opens and closes its dialogs.
//   ORVELIN_WASM=build-web/orvelin.wasm node --test tests/web/
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

const root = fileURLToPath(new URL('../..', import.meta.url));
const wasmPath = process.env.ORVELIN_WASM ?? path.join(root, 'build-web/orvelin.wasm');
const { compileOrvelin, startOrvelin } = new Function(
    `${fs.readFileSync(path.join(root, 'app/web/bridge.js'), 'utf8')}
     return { compileOrvelin, startOrvelin };`)();
const compiled = await compileOrvelin(fs.readFileSync(wasmPath));

// Control identifiers of app/res/resource.h, checked against the templates below.
const ID = {
    sessionKey: 1000, dataIn: 1001, dataOut: 1002, crc16: 1003, desEnable: 1004, encrypt: 1005,
    aesEnable: 1006, des: 1007, tdes2: 1008, tdes3: 1009, iv: 1010, cbc: 1011, crc32: 1012,
    calcCrc: 1013, decrypt: 1014, aesCmac: 1015, cmac: 1016, tdesCmac: 1017, keyXorIn: 1018,
    tdes3Cmac: 1019, aboutOk: 1014,
};
const IDM_ABOUTBOX = 0x10;

// The dialogs as the page would hold them, without a DOM.
class FakeView {
    dialogs = new Map();
    messages = [];
    useDescription(description) {
        this.templates = new Map(description.templates.map((t) => [t.id, t]));
    }
    openDialog(owner, dialog, templateId, modal) {
        const template = this.templates.get(templateId);
        this.dialogs.set(dialog, { owner, modal, template, values: new Map(), disabled: new Set() });
    }
    closeDialog(dialog) { this.dialogs.delete(dialog); }
    raiseDialog() {}
    // The control's state when the dialog has it and it is of one of `kinds`.
    control(dialog, id, kinds) {
        const open = this.dialogs.get(dialog);
        const found = open?.template.controls.find((c) => c.id === id && id !== -1);
        return found && kinds.includes(found.kind) ? open : null;
    }
    read(dialog, id, kinds, empty) {
        return this.control(dialog, id, kinds)?.values.get(id) ?? empty;
    }
    write(dialog, id, kinds, value) {
        this.control(dialog, id, kinds)?.values.set(id, value);
    }
    fieldText(d, id) { return this.read(d, id, ['edit'], ''); }
    setFieldText(d, id, text) { this.write(d, id, ['edit'], text); }
    controlText(d, id) { return this.read(d, id, ['edit', 'label', 'plain_edit'], ''); }
    setControlText(d, id, text) { this.write(d, id, ['edit', 'label', 'plain_edit'], text); }
    isChecked(d, id) { return this.read(d, id, BOXES, false); }
    setChecked(d, id, checked) { this.write(d, id, BOXES, checked); }
    setEnabled(d, id, enabled) {
        const disabled = this.dialogs.get(d)?.disabled;
        if (enabled) disabled?.delete(id); else disabled?.add(id);
    }
    setFocus(d, id) { this.dialogs.get(d).focus = id; }
    setVisible() {}
    moveControl() {}
    resizeDialog() {}
    setListItems() {}
    selectedIndex() { return -1; }
    selectIndex() {}
    messageBox(d, text) { this.messages.push(text); }
}
const BOXES = ['auto_check_box', 'auto_radio_button'];

// The main window after start-up; a click toggles a box, or checks a radio
// button and clears the others, before the page is told, as in a browser.
async function openWindow() {
    const view = new FakeView();
    const page = (await startOrvelin(compiled, view)).createPage();
    view.useDescription(page.description);
    page.show();
    const main = [...view.dialogs.keys()][0];
    const state = view.dialogs.get(main);
    const kindOf = (id) => state.template.controls.find((c) => c.id === id).kind;
    return {
        view, page, main,
        text: (id) => state.values.get(id) ?? '',
        type: (id, text) => state.values.set(id, text),
        checked: (id) => state.values.get(id) === true,
        enabled: (id) => !state.disabled.has(id),
        click(id) {
            assert.ok(!state.disabled.has(id), `control ${id} is disabled`);
            if (kindOf(id) === 'auto_check_box') state.values.set(id, !this.checked(id));
            if (kindOf(id) === 'auto_radio_button') {
                for (const c of state.template.controls.filter((c) => c.kind === kindOf(id))) {
                    state.values.set(c.id, c.id === id);
                }
            }
            return page.command(main, id);
        },
    };
}

// The boxes clicked, then the fields typed.
async function prepare({ clicks = [], key = '', iv = '', data = '' }) {
    const window = await openWindow();
    clicks.forEach((id) => window.click(id));
    window.type(ID.sessionKey, key);
    window.type(ID.iv, iv);
    window.type(ID.dataIn, data);
    return window;
}

async function press(inputs) {
    const window = await prepare(inputs);
    window.click(inputs.button);
    return window;
}

const CIPHER_CLICKS = {
    des: [ID.des], '2tdes': [ID.tdes2], '3tdes': [ID.tdes3], aes: [ID.aesEnable],
};
const CMAC_BUTTONS = { aes: ID.aesCmac, '2tdes': ID.tdesCmac, '3tdes': ID.tdes3Cmac };
const ZERO_IV = { aes: '00'.repeat(16), '2tdes': '00'.repeat(8), '3tdes': '00'.repeat(8) };

// tavik's published records that a main-window button also answers, as
// presses: "tavik encrypt --cipher des --key K DATA" and its "= " lines.
function publishedPresses() {
    const file = ['tests/data/card/published_examples.txt', 'tests/cli/published_examples.txt']
        .map((name) => path.join(root, name)).find((name) => fs.existsSync(name));
    const presses = [];
    let current = null;
    for (const line of fs.readFileSync(file, 'utf8').split('\n')) {
        if (line.startsWith('tavik ')) {
            current = { words: line.split(' ').slice(1), printed: [] };
            presses.push(current);
        } else if (line.startsWith('=') && current) {
            current.printed.push(line.slice(1).trim());
        }
    }
    return presses.map(asPress).filter(Boolean);
}

function asPress({ words, printed }) {
    const [command, ...rest] = words;
    const option = (name) => rest[rest.indexOf(name) + 1];
    const data = rest.at(-1);
    const cipher = option('--cipher');
    const name = words.join(' ');
    if (command === 'encrypt' || command === 'decrypt') {
        const cbc = rest.includes('--cbc');
        return {
            name, key: option('--key'), iv: cbc ? option('--iv') : '', data,
            clicks: [...CIPHER_CLICKS[cipher], ...(cbc ? [] : [ID.cbc])],
            button: command === 'encrypt' ? ID.encrypt : ID.decrypt,
            dataOut: printed[0],
        };
    }
    if (command === 'cmac' && !rest.includes('--iv')) {
        return {
            name, key: option('--key'), iv: ZERO_IV[cipher], data,
            clicks: cipher === 'aes' ? [ID.aesEnable] : [], button: CMAC_BUTTONS[cipher],
            dataOut: printed[0], cmac: printed[1],
        };
    }
    if (command === 'crc16' && option('--type') !== 'b') {
        return { name, data, clicks: [ID.crc16], button: ID.calcCrc, dataOut: printed[0] };
    }
    return null;
}

// NIST's records: blank-line separated "NAME = VALUE" lines under [SECTION]s.
function nistRecords(file) {
    let section = '';
    const records = [];
    for (const block of fs.readFileSync(path.join(root, 'tests/data', file), 'utf8').split(/\r?\n\s*\r?\n/)) {
        const record = { section };
        for (const line of block.split(/\r?\n/)) {
            const header = line.match(/^\[(\w+)\]/);
            if (header) section = record.section = header[1];
            const pair = line.match(/^(\w+) = (\w*)/);
            if (pair) record[pair[1].toUpperCase()] = pair[2].toUpperCase();
        }
        if (record.KEY || record.KEY1) records.push(record);
    }
    return records;
}

function cipherPresses(file, cbc) {
    return nistRecords(file).map((r) => {
        const key = r.KEY ?? (r.KEY3 === r.KEY1 ? r.KEY1 + r.KEY2 : r.KEY1 + r.KEY2 + r.KEY3);
        const cipher = r.KEY ? 'aes' : key.length === 32 ? '2tdes' : '3tdes';
        const encrypt = r.section === 'ENCRYPT';
        return {
            name: `${file} ${r.section} ${r.COUNT}`, key, iv: cbc ? r.IV : '',
            data: encrypt ? r.PLAINTEXT : r.CIPHERTEXT,
            clicks: [...CIPHER_CLICKS[cipher], ...(cbc ? [] : [ID.cbc])],
            button: encrypt ? ID.encrypt : ID.decrypt,
            dataOut: encrypt ? r.CIPHERTEXT : r.PLAINTEXT,
        };
    });
}

// The window's fields hold 256 bytes; the MAC is compared to its length.
function cmacPresses(file, cipher) {
    return nistRecords(file).filter((r) => Number(r.MLEN) <= 256).map((r) => ({
        name: `${file} ${r.COUNT}`, cipher,
        key: r.KEY ?? (cipher === '2tdes' ? r.KEY1 + r.KEY2 : r.KEY1 + r.KEY2 + r.KEY3),
        iv: ZERO_IV[cipher], data: r.MLEN === '0' ? '' : r.MSG,
        clicks: cipher === 'aes' ? [ID.aesEnable] : [], button: CMAC_BUTTONS[cipher],
        macPrefix: r.MAC,
    }));
}

test('each published answer of a main-window operation comes out of the module', async () => {
    const presses = publishedPresses();
    assert.ok(presses.length >= 4, 'the published examples hold encrypt, cmac and crc16 records');
    for (const expected of presses) {
        const window = await press(expected);
        assert.deepEqual(window.view.messages, [], expected.name);
        assert.equal(window.text(ID.dataOut), expected.dataOut, expected.name);
        if (expected.cmac) assert.equal(window.text(ID.cmac), expected.cmac, expected.name);
    }
});

test("NIST's ECB and CBC records through Encrypt and Decrypt", async () => {
    const files = [['tdes/TECBMMT2.rsp', false], ['tdes/TECBMMT3.rsp', false],
        ['tdes/TCBCMMT2.rsp', true], ['tdes/TCBCMMT3.rsp', true],
        ['aes/ECBMMT128.rsp', false], ['aes/CBCMMT128.rsp', true]];
    for (const [file, cbc] of files) {
        const presses = cipherPresses(file, cbc);
        assert.equal(presses.length, 20, file);
        for (const expected of presses) {
            const window = await press(expected);
            assert.equal(window.text(ID.dataOut), expected.dataOut, expected.name);
        }
    }
});

test("NIST's CMAC records through the three CMAC buttons", async () => {
    for (const [file, cipher] of [['cmac/CMACGenAES128.rsp', 'aes'],
        ['cmac/CMACGenTDES2.rsp', '2tdes'], ['cmac/CMACGenTDES3.rsp', '3tdes']]) {
        const presses = cmacPresses(file, cipher);
        assert.ok(presses.length > 0, file);
        for (const expected of presses) {
            const window = await press(expected);
            assert.ok(window.text(ID.dataOut).startsWith(expected.macPrefix), expected.name);
        }
    }
});

test('CRC32 and Key Xor In', async () => {
    // The common CRC-32 check value is 0xCBF43926; the window shows its
    // complement, least significant byte first.
    const crc32 = await press({ data: '313233343536373839', button: ID.calcCrc });
    assert.equal(crc32.text(ID.dataOut), 'D9C60B34');
    const xor = await press({ key: '0F0F', data: 'FF 00 AA', button: ID.keyXorIn });
    assert.equal(xor.text(ID.dataOut), 'F00F');
});

test('a refused press shows one message box and changes no field', async () => {
    const refusals = [
        { data: '00112G', button: ID.encrypt, message: 'DataIn must hold hex digits only!' },
        { key: '00', data: '00'.repeat(8), button: ID.encrypt,
          message: 'Key length must be at least 8 bytes!' },
        { key: '00'.repeat(8), data: '00'.repeat(9), button: ID.encrypt,
          message: 'Data length must be a multiple of 8 bytes!' },
        { clicks: [ID.tdes2], key: '00'.repeat(8), data: '00'.repeat(8), button: ID.encrypt,
          message: 'Key length must be 16 bytes!' },
        { data: '00'.repeat(257), button: ID.keyXorIn,
          message: 'DataIn length must not exceed 256 bytes!' },
    ];
    for (const refusal of refusals) {
        const window = await prepare({ iv: '00'.repeat(8), ...refusal });
        const before = [ID.sessionKey, ID.iv, ID.dataIn, ID.dataOut, ID.cmac].map(window.text);
        window.click(refusal.button);
        assert.deepEqual(window.view.messages, [refusal.message]);
        assert.deepEqual([ID.sessionKey, ID.iv, ID.dataIn, ID.dataOut, ID.cmac].map(window.text),
                         before);
    }
});

test('the start-up state, and the about box opened from the menu and closed', async () => {
    const window = await openWindow();
    assert.equal(window.text(ID.dataIn), '0000000000000000');
    assert.ok(window.checked(ID.desEnable) && window.checked(ID.cbc) && window.checked(ID.crc32));
    assert.ok(!window.enabled(ID.aesCmac));
    assert.equal(window.view.dialogs.get(window.main).focus, ID.decrypt);

    const menu = window.page.description.menu.find((entry) => entry.command === IDM_ABOUTBOX);
    assert.equal(menu.text, '关于 Orvelin(&A)...');
    for (const close of [(about) => window.page.command(about, ID.aboutOk),
        (about) => window.page.cancel(about)]) {
        window.page.menu(IDM_ABOUTBOX);
        const [about, shown] = [...window.view.dialogs].at(-1);
        assert.equal(shown.template.id, 100);
        assert.ok(shown.modal && shown.owner === window.main);
        assert.equal(shown.focus, ID.aboutOk);
        close(about);
        assert.deepEqual([...window.view.dialogs.keys()], [window.main]);
    }
    window.page.cancel(window.main); // a page cannot close: the main window stays
    assert.ok(window.view.dialogs.has(window.main));
});

test('the hex fields let through what the windows let through', async () => {
    const { typingPasses } = await startOrvelin(compiled, new FakeView());
    const typed = [...'09afAF%.\'', '\b'].map((c) => [c, false, true]);
    const dropped = [...' gG-xé密'].map((c) => [c, false, false]);
    for (const [c, ctrl, passes] of [...typed, ...dropped, [' ', true, true], ['密', true, true]]) {
        assert.equal(typingPasses(ctrl, c.codePointAt(0)), passes, `${JSON.stringify(c)} ${ctrl}`);
    }
});
