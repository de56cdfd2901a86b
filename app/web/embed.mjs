// The build's last step: the module (base64), the script and the style put
// into the page's template, giving one HTML file that needs nothing else.
//   node embed.mjs OUTPUT TEMPLATE STYLE MODULE ICON_16 ICON_32 SCRIPT...
import fs from 'node:fs';

const [output, template, style, module, icon16, icon32, ...scripts] = process.argv.slice(2);
if (scripts.length === 0) {
    console.error('usage: node embed.mjs OUTPUT TEMPLATE STYLE MODULE ICON_16 ICON_32 SCRIPT...');
    process.exit(2);
}

// The scripts share one scope of their own; none leaks into the page's.
const script = `(() => {\n'use strict';\n${scripts.map((f) => fs.readFileSync(f, 'utf8')).join('\n')}\n})();`;
const css = fs.readFileSync(style, 'utf8');
for (const [text, closing] of [[script, '</script'], [css, '</style']]) {
    if (text.toLowerCase().includes(closing)) {
        console.error(`embed.mjs: the text to inline holds "${closing}"`);
        process.exit(1);
    }
}

const parts = {
    '@ICON_16@': fs.readFileSync(icon16).toString('base64'),
    '@ICON_32@': fs.readFileSync(icon32).toString('base64'),
    '@STYLE@': css,
    '@MODULE@': fs.readFileSync(module).toString('base64'),
    '@SCRIPT@': script,
};
let page = fs.readFileSync(template, 'utf8');
for (const [placeholder, text] of Object.entries(parts)) {
    if (!page.includes(placeholder)) {
        console.error(`embed.mjs: the template lacks ${placeholder}`);
        process.exit(1);
    }
    page = page.replace(placeholder, () => text);
}
fs.writeFileSync(output, page);
