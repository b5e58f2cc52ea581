// Draws the web edition's app icons from the program's icon (ui/data/vornik.svg) with Debian's
// chromium: 192 and 512 px, a maskable 512 px one (the picture inside the safe circle on a full
// background) and favicon.ico (a 32 px PNG in an ICO container). The results are kept in
// web/src/icons/, so the site build needs no browser; run this again after changing the icon:
//   node web/tools/draw-icons.mjs ui/data/vornik.svg web/src/icons
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { deflateSync } from 'node:zlib';
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
    const png = await page.screenshot({ type: 'png', omitBackground: fill === 'transparent', clip: { x: 0, y: 0, width: size, height: size } });
    // The screenshot's pixels, read back through a canvas.
    const rgba = await page.evaluate(async (data) => {
        const image = new Image();
        image.src = data;
        await image.decode();
        const canvas = document.createElement('canvas');
        canvas.width = image.width;
        canvas.height = image.height;
        const ctx = canvas.getContext('2d');
        ctx.drawImage(image, 0, 0);
        return Array.from(ctx.getImageData(0, 0, image.width, image.height).data);
    }, 'data:image/png;base64,' + Buffer.from(png).toString('base64'));
    return indexedPng(Uint8Array.from(rgba), size);
}

// The icon has few colours and their blends at the edges: at most 256 colours, the most used
// kept and every other pixel given the nearest of them, in a palette PNG a third the size.
function indexedPng(rgba, size) {
    const counts = new Map();
    for (let k = 0; k < rgba.length; k += 4) {
        const key = ((rgba[k] << 24) | (rgba[k + 1] << 16) | (rgba[k + 2] << 8) | rgba[k + 3]) >>> 0;
        counts.set(key, (counts.get(key) ?? 0) + 1);
    }
    const palette = [...counts.entries()].sort((a, b) => b[1] - a[1]).slice(0, 256).map(([key]) => key);
    const channels = (key) => [key >>> 24, (key >>> 16) & 255, (key >>> 8) & 255, key & 255];
    const paletteChannels = palette.map(channels);
    const index = new Map(palette.map((key, k) => [key, k]));
    const nearest = (key) => {
        if (!index.has(key)) {
            const c = channels(key);
            let best = 0;
            let bestDistance = Infinity;
            paletteChannels.forEach((p, k) => {
                const d = (p[0] - c[0]) ** 2 + (p[1] - c[1]) ** 2 + (p[2] - c[2]) ** 2 + 2 * (p[3] - c[3]) ** 2;
                if (d < bestDistance) {
                    bestDistance = d;
                    best = k;
                }
            });
            index.set(key, best);
        }
        return index.get(key);
    };
    const rows = Buffer.alloc(size * (size + 1));
    for (let y = 0; y < size; ++y) {
        rows[y * (size + 1)] = 0;
        for (let x = 0; x < size; ++x) {
            const k = 4 * (y * size + x);
            const key = ((rgba[k] << 24) | (rgba[k + 1] << 16) | (rgba[k + 2] << 8) | rgba[k + 3]) >>> 0;
            rows[y * (size + 1) + 1 + x] = nearest(key);
        }
    }
    const crcTable = Array.from({ length: 256 }, (_, n) => {
        let c = n;
        for (let k = 0; k < 8; ++k) {
            c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
        }
        return c >>> 0;
    });
    const crc = (bytes) => {
        let c = 0xffffffff;
        for (const b of bytes) {
            c = crcTable[(c ^ b) & 255] ^ (c >>> 8);
        }
        return (c ^ 0xffffffff) >>> 0;
    };
    const chunk = (type, data) => {
        const head = Buffer.alloc(8);
        head.writeUInt32BE(data.length, 0);
        head.write(type, 4, 'latin1');
        const tail = Buffer.alloc(4);
        tail.writeUInt32BE(crc(Buffer.concat([head.subarray(4), data])), 0);
        return Buffer.concat([head, data, tail]);
    };
    const header = Buffer.alloc(13);
    header.writeUInt32BE(size, 0);
    header.writeUInt32BE(size, 4);
    header[8] = 8; // bits per index
    header[9] = 3; // palette
    return Buffer.concat([
        Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
        chunk('IHDR', header),
        chunk('PLTE', Buffer.from(paletteChannels.flatMap((c) => c.slice(0, 3)))),
        chunk('tRNS', Buffer.from(paletteChannels.map((c) => c[3]))),
        chunk('IDAT', deflateSync(rows, { level: 9 })),
        chunk('IEND', Buffer.alloc(0)),
    ]);
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
