// A benchmark, never run as a test: orvelin.html in Debian's headless
// Chromium, from opening the file to the first usable main window, and each
// main-window button inside the page (the click, the module's work and the
// layout it causes); then the module's and the page's sizes.
//   ORVELIN_WEB_DEPS=build-web/tests/web/deps node tests/web/page_bench.mjs [PAGE] [RUNS]
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const pagePath = path.resolve(process.argv[2] ?? path.join(here, '../../build-web/orvelin.html'));
const runs = Number(process.argv[3] ?? 20);
const require = createRequire(path.resolve(process.env.ORVELIN_WEB_DEPS ?? here, 'package.json'));
const { chromium } = require('playwright-core');

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (value) => `${value.toFixed(2)} ms`;

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'orvelin-bench-'));
const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.ORVELIN_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});

// performance.mark('orvelin-usable') is set once the main window is built,
// initialised and focused; its time counts from the start of navigation.
const usable = [];
for (let run = 0; run < runs; ++run) {
    const page = await context.newPage();
    await page.goto(pathToFileURL(pagePath).href);
    await page.waitForFunction(() => performance.getEntriesByName('orvelin-usable').length > 0);
    usable.push(await page.evaluate(() => performance.getEntriesByName('orvelin-usable')[0].startTime));
    await page.close();
}
console.log(`opening to usable window: median ${ms(median(usable))}, max ${ms(Math.max(...usable))}` +
            ` over ${runs} runs`);

// Inputs each button takes without a refusal (a message box would stop the rest).
const page = await context.newPage();
await page.goto(pathToFileURL(pagePath).href);
await page.waitForFunction(() => performance.getEntriesByName('orvelin-usable').length > 0);
const timings = await page.evaluate(() => {
    const byLabel = (text) => [...document.querySelectorAll('main label')]
        .find((label) => label.textContent === text).control;
    const button = (text) => [...document.querySelectorAll('main button')]
        .find((b) => b.textContent === text);
    const presses = [
        ['Encrypt', '0123456789ABCDEF', '4E6F772069732074'.repeat(16)],
        ['Decrypt', '0123456789ABCDEF', '4E6F772069732074'.repeat(16)],
        ['CalcCRC', '', '00'.repeat(256)],
        ['Key Xor In', '0F'.repeat(256), 'FF'.repeat(256)],
        ['TDES_CMAC', '0123456789ABCDEF'.repeat(2), '00'.repeat(256)],
        ['3KTDES_CMAC', '0123456789ABCDEF'.repeat(3), '00'.repeat(256)],
        ['AES_CMAC', '2B7E151628AED2A6ABF7158809CF4F3C', '00'.repeat(256)],
    ];
    const results = {};
    for (const [name, key, data] of presses) {
        if (name === 'AES_CMAC') {
            byLabel('AES_ENABLE').click();
            byLabel('IV:').value = '00'.repeat(16);
        }
        byLabel('SessionKey:').value = key;
        byLabel('DataIn:').value = data;
        const times = [];
        for (let i = 0; i < 200; ++i) {
            const start = performance.now();
            button(name).click();
            void document.body.offsetHeight; // the layout the press caused
            times.push(performance.now() - start);
        }
        times.sort((a, b) => a - b);
        results[name] = { median: times[100], max: times[199],
                          shown: byLabel('DataOut:').value.length > 0,
                          refused: document.querySelector('.message-box') !== null };
    }
    return results;
});
for (const [name, { median: middle, max, shown, refused }] of Object.entries(timings)) {
    const state = refused ? ' (REFUSED)' : shown ? '' : ' (nothing shown)';
    console.log(`${name.padEnd(12)} median ${ms(middle)}, max ${ms(max)}${state}`);
}
await context.close();

const wasm = path.join(path.dirname(pagePath), 'orvelin.wasm');
console.log(`orvelin.html ${fs.statSync(pagePath).size} bytes` +
            (fs.existsSync(wasm) ? `, orvelin.wasm ${fs.statSync(wasm).size} bytes` : ''));
