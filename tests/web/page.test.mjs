// orvelin.html in Debian's Chromium, opened from disk as an operator opens it,
// driven by keyboard and mouse through playwright-core (never a downloaded
// browser): every main-window button with known answers, a refusal, the
// keyboard, the about box and card practice from the menu; and the page asks
// the network for nothing and reports no error.
//   ORVELIN_PAGE=build-web/orvelin.html ORVELIN_WEB_DEPS=<folder of npm ci>
//   node --test tests/web/page.test.mjs
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath, pathToFileURL } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const root = path.resolve(here, '../..');
const pagePath = process.env.ORVELIN_PAGE ?? path.join(root, 'build-web/orvelin.html');
const require = createRequire(path.resolve(process.env.ORVELIN_WEB_DEPS ?? here, 'package.json'));
const { chromium } = require('playwright-core');

const pageUrl = pathToFileURL(pagePath).href;
const requests = [];
const consoleErrors = [];
let context;
let page;

before(async () => {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'orvelin-chromium-'));
    context = await chromium.launchPersistentContext(profile, {
        executablePath: process.env.ORVELIN_CHROMIUM ?? '/usr/bin/chromium',
        headless: true,
        args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
    context.on('request', (request) => requests.push(request.url()));
    page = context.pages()[0] ?? await context.newPage();
    page.on('console', (message) => {
        if (message.type() === 'error') consoleErrors.push(message.text());
    });
    page.on('pageerror', (error) => consoleErrors.push(error.message));
    await page.goto(pageUrl);
    await field('SessionKey:').waitFor();
});

after(async () => {
    await context?.close();
});

const field = (label) => page.getByRole('textbox', { name: label, exact: true });
const button = (name) => page.locator('main').getByRole('button', { name, exact: true });
const box = (name) => page.locator('main').getByLabel(name, { exact: true });

// The main window as it starts, then the boxes clicked and the fields filled.
async function prepare({ clicks = [], key = '', iv = '', data = '' }) {
    await page.reload();
    await field('SessionKey:').waitFor();
    for (const name of clicks) await box(name).click();
    await field('SessionKey:').fill(key);
    if (await field('IV:').isEnabled()) await field('IV:').fill(iv);
    await field('DataIn:').fill(data);
}

test('the main window starts as the windows start', async () => {
    assert.equal(await page.title(), 'Orvelin R1020');
    for (const label of ['SessionKey:', 'IV:', 'DataIn:']) {
        assert.equal(await field(label).inputValue(), '0000000000000000');
    }
    assert.ok(await box('DES ENABLE').isChecked() && await box('CBC').isChecked());
    assert.ok(await box('DES').isChecked() && await box('CRC32').isChecked());
    assert.ok(await button('AES_CMAC').isDisabled());
    assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Decrypt');
});

// FIPS 81's CBC example, RFC 4493, SP 800-38B as the core's tests use it,
// ISO/IEC 14443-3's CRC_A and the common CRC-32 check value over "123456789".
const presses = [
    { button: 'Encrypt', key: '0123456789ABCDEF', iv: '1234567890ABCDEF',
      data: '4E6F77206973207468652074696D6520666F7220616C6C20',
      dataOut: 'E5C7CDDE872BF27C43E934008C389C0F683788499A7C05F6' },
    { button: 'Decrypt', key: '0123456789ABCDEF', iv: '1234567890ABCDEF',
      data: 'E5C7CDDE872BF27C43E934008C389C0F683788499A7C05F6',
      dataOut: '4E6F77206973207468652074696D6520666F7220616C6C20' },
    { button: 'AES_CMAC', clicks: ['AES_ENABLE'], key: '2B7E151628AED2A6ABF7158809CF4F3C',
      iv: '00'.repeat(16), data: '6BC1BEE22E409F96E93D7E117393172A',
      dataOut: '070A16B46B4D4144F79BDD9DD04A287C', cmac: '0AB44D449B9D4A7C' },
    { button: 'TDES_CMAC', key: '4CF15134A2850DD58A3D10BA80570D38', iv: '00'.repeat(8),
      data: '6BC1BEE22E409F96E93D7E117393172AAE2D8A57',
      dataOut: '62DD1B471902BD4E', cmac: '62DD1B471902BD4E' },
    { button: '3KTDES_CMAC', key: '8AA83BF8CBDA10620BC1BF19FBB6CD58BC313D4A371CA8B5',
      iv: '00'.repeat(8), data: '', dataOut: 'B7A688E122FFAF95', cmac: 'B7A688E122FFAF95' },
    { button: 'CalcCRC', clicks: ['CRC16'], data: '313233343536373839', dataOut: '05BF' },
    { button: 'CalcCRC', data: '313233343536373839', dataOut: 'D9C60B34' },
    { button: 'Key Xor In', key: '0F0F0F0F0F0F0F0F', data: 'FFFFFFFFFFFFFFFF00000000',
      dataOut: 'F0F0F0F0F0F0F0F0' },
];

test('every main-window button shows its known answer', async () => {
    for (const press of presses) {
        await prepare(press);
        await button(press.button).click();
        assert.equal(await field('DataOut:').inputValue(), press.dataOut, press.button);
        assert.equal(await field('CMAC:').inputValue(), press.cmac ?? '', press.button);
    }
});

test('a refusal is a modal message box and changes no field', async () => {
    await prepare({ clicks: ['CBC'], key: '0123456789ABCDEF', data: '00112233445566' });
    await button('Encrypt').click();
    const box = page.getByRole('dialog', { name: 'Orvelin' });
    assert.equal(await box.locator('.message-text').textContent(),
                 'Data length must be a multiple of 8 bytes!');
    assert.equal(await field('DataOut:').inputValue(), '');
    await page.keyboard.press('Enter');
    await box.waitFor({ state: 'detached' });
    assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Encrypt');
});

test('the keyboard: tab order, typing rule, Enter for the default button', async () => {
    await prepare({ key: '0123456789ABCDEF', iv: '1234567890ABCDEF' });
    await button('Decrypt').focus();
    const order = [];
    for (let i = 0; i < 5; ++i) {
        await page.keyboard.press('Tab');
        order.push(await page.evaluate(() => document.activeElement.labels?.[0]?.textContent
            ?? document.activeElement.textContent));
    }
    assert.deepEqual(order, ['SessionKey:', 'DataIn:', 'DataOut:', 'CRC16', 'DES ENABLE']);
    // Spaces and letters past F are dropped as typed; pasting is not typing.
    await field('DataIn:').fill('');
    await field('DataIn:').pressSequentially('e5c7 cdxDE872BF27C');
    assert.equal(await field('DataIn:').inputValue(), 'e5c7cdDE872BF27C');
    await page.keyboard.press('Enter');
    assert.equal(await field('DataOut:').inputValue(), '4E6F772069732074');
});

test('the about box from the menu: by a right-click, and by Shift+F10 and its access key', async () => {
    await page.reload();
    await page.locator('main .client').click({ button: 'right', position: { x: 20, y: 10 } });
    await page.getByRole('menuitem', { name: '关于 Orvelin(A)...' }).click();
    const about = page.getByRole('dialog', { name: '关于 Orvelin' });
    assert.ok(await about.getByText('版权所有 (C) 2025').isVisible());
    assert.equal(await page.evaluate(() => document.activeElement.textContent), '确定');
    await page.keyboard.press('Escape');
    await about.waitFor({ state: 'detached' });
    assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Decrypt');
    await page.keyboard.press('Shift+F10');
    await page.keyboard.press('a'); // the entry's access key
    await about.getByRole('button', { name: '确定' }).click();
    await about.waitFor({ state: 'detached' });
});

// The published example of the operation chosen first, through Example and
// Calculate: Result shows the lines tavik prints for its command line.
test('card practice: Example then Calculate gives the published answer', async (t) => {
    await page.reload();
    await page.getByRole('button', { name: 'Menu' }).click();
    const entry = page.getByRole('menuitem', { name: 'Card practice...' });
    if (await entry.count() === 0) {
        t.skip('this build has no card-practice dialog yet');
        return;
    }
    await entry.click();
    const dialog = page.getByRole('dialog', { name: 'Card practice' });
    await dialog.getByRole('button', { name: 'Example', exact: true }).click();
    await dialog.getByRole('button', { name: 'Calculate', exact: true }).click();
    const command = await dialog.getByRole('textbox', { name: 'Command' }).inputValue();
    const result = await dialog.getByRole('textbox', { name: 'Result' }).inputValue();
    const printed = publishedLines(command.replace(/ --trace\b/, ''));
    assert.ok(printed, `a published record runs "${command}"`);
    assert.deepEqual(result.split('\n').filter((line) => line !== ''), printed);
    await page.keyboard.press('Escape');
    await dialog.waitFor({ state: 'detached' });
});

// The "= " lines of the published record whose command line is `command`.
function publishedLines(command) {
    const file = ['tests/data/card/published_examples.txt', 'tests/cli/published_examples.txt']
        .map((name) => path.join(root, name)).find((name) => fs.existsSync(name));
    const lines = fs.readFileSync(file, 'utf8').split('\n');
    const at = lines.indexOf(command);
    if (at < 0) return null;
    const printed = [];
    for (const line of lines.slice(at + 1)) {
        if (!line.startsWith('=')) break;
        printed.push(line.slice(1).trim());
    }
    return printed.filter((line) => line !== '');
}

test('the page asked the network for nothing and reported no error', () => {
    assert.ok(requests.includes(pageUrl), 'the requests were watched');
    const foreign = requests.filter((url) => url !== pageUrl && !url.startsWith('data:'));
    assert.deepEqual(foreign, []);
    assert.deepEqual(consoleErrors, []);
});
