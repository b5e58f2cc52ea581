// Draws the web edition's app icons from the program's icon (ui/data/vornik.svg) with Debian's
// chromium: 192 and 512 px, a maskable 512 px one (the picture inside the safe circle on a full
// background) and favicon.ico (a 32 px PNG in an ICO container). The results are kept in
// web/src/icons/, so the site build needs no browser; run this again after changing the icon:
//   node web/tools/draw-icons.mjs ui/data/vornik.svg web/src/icons
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { launchBrowser } from '../tests/browser.mjs';

const [svgFile, outDir] = process.argv.slice(2);
const svg = readFileSync(svgFile, 'utf8');
const background = '#141414';

// The icon fills `inner` of `size` pixels, centred on the background colour (transparent when
// the picture's own rounded square should show).
async function draw(page, size, inner, fill) {
    const data = 'data:image/svg+xml;base64,' + Buffer.from(svg).toString('base64');
    await page.setViewport({ width: size, height: size, deviceScaleFactor: 1 });
    await page.setContent(`<!DOCTYPE html><html><body style="margin:0;background:${fill}">` +
        `<img src="${data}" style="display:block;position:absolute;left:${(size - inner) / 2}px;` +
        `top:${(size - inner) / 2}px;width:${inner}px;height:${inner}px"></body></html>`);
    await page.waitForFunction(() => document.images[0].complete);
    return page.screenshot({ type: 'png', omitBackground: fill === 'transparent', clip: { x: 0, y: 0, width: size, height: size } });
}

function ico(png, size) {
    const header = Buffer.alloc(22);
    header.writeUInt16LE(0, 0);
    header.writeUInt16LE(1, 2); // icon
    header.writeUInt16LE(1, 4); // one image
    header.writeUInt8(size, 6);
    header.writeUInt8(size, 7);
    header.writeUInt16LE(1, 10); // planes
    header.writeUInt16LE(32, 12); // bits per pixel
    header.writeUInt32LE(png.length, 14);
    header.writeUInt32LE(22, 18);
    return Buffer.concat([header, png]);
}

const browser = await launchBrowser();
try {
    const page = await browser.newPage();
    writeFileSync(join(outDir, 'icon-192.png'), await draw(page, 192, 192, 'transparent'));
    writeFileSync(join(outDir, 'icon-512.png'), await draw(page, 512, 512, 'transparent'));
    // Maskable: launchers cut any shape out of the middle 80 %; the picture keeps to 64 %.
    writeFileSync(join(outDir, 'icon-maskable-512.png'), await draw(page, 512, 328, background));
    writeFileSync(join(outDir, 'favicon.ico'), ico(await draw(page, 32, 32, 'transparent'), 32));
} finally {
    await browser.close();
}
