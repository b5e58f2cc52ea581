// What the page saves: pictures, plain text and RTF, and what it prints.
import { execFileSync } from 'node:child_process';
import { dirname, join } from 'node:path';
import { openPage } from './browser.mjs';
import { check, circuitFromArgs, cli, download, siteDir } from './context.mjs';
import { execute, setCircuit } from './page.mjs';

// The pictures and the plain text saved from the page.
export async function saving(browser) {
    const page = await openPage(browser, siteDir);
    await setCircuit(page, circuitFromArgs(['--r1', '10', '--r2', '12', '--x2', '3', '--r3', '9']));
    await execute(page);
    const bmp = await download(page, '#Form7-SaveBmp');
    const pixels = await page.evaluate(() => Array.from(document.getElementById('Form7-Image1')
        .getContext('2d').getImageData(0, 0, 400, 400).data));
    let same = bmp.bytes.length === 54 + 400 * 400 * 3 && bmp.bytes.toString('latin1', 0, 2) === 'BM' &&
        bmp.bytes.readInt32LE(18) === 400 && bmp.bytes.readInt32LE(22) === 400 && bmp.bytes.readUInt16LE(28) === 24;
    for (let y = 0; same && y < 400; ++y) {
        for (let x = 0; x < 400; ++x) {
            const at = 54 + (399 - y) * 1200 + 3 * x;
            const k = 4 * (y * 400 + x);
            if (bmp.bytes[at] !== pixels[k + 2] || bmp.bytes[at + 1] !== pixels[k + 1] || bmp.bytes[at + 2] !== pixels[k]) {
                same = false;
                break;
            }
        }
    }
    check(same, 'BMP: a 24-bit 400 x 400 file with the canvas pixels', `${bmp.name} ${bmp.bytes.length} bytes`);
    const png = await download(page, '#Form7-SavePng');
    check(png.bytes.toString('latin1', 1, 4) === 'PNG', 'PNG saved', `${png.name} ${png.bytes.length} bytes`);
    const jpeg = await download(page, '#Form7-SaveJpeg');
    check(jpeg.bytes[0] === 0xff && jpeg.bytes[1] === 0xd8, 'JPEG saved', `${jpeg.name} ${jpeg.bytes.length} bytes`);
    await page.emulateMediaType('print');
    const printed = await page.evaluate(() => ['Form3', 'Form7', 'Form2-RichEdit1'].map((id) =>
        getComputedStyle(document.getElementById(id)).visibility));
    check(JSON.stringify(printed) === JSON.stringify(['hidden', 'hidden', 'visible']), 'printing shows only the solution',
        JSON.stringify(printed));
    await page.emulateMediaType('screen');
    const text = await download(page, '#Form2-SaveText');
    const lines = await page.$$eval('#Form2-RichEdit1 > *', (b) => b.map((e) => e.textContent));
    check(text.bytes.toString('utf8') === lines.join('\r\n') + '\r\n', 'plain text: the lines with CR LF');
    await page.close();
}

// The RTF saved from the page is the desktop writer's for the same document, also after the
// student raised part of a line and typed a line of their own.
export async function rtf(browser) {
    const reference = join(dirname(dirname(cli)), 'tests', 'web_rtf_reference');
    const expectedRtf = (lines, spans) => execFileSync(reference, [spans], { input: lines.map((l) => l + '\n').join(''), maxBuffer: 1 << 26 });
    const page = await openPage(browser, siteDir);
    await setCircuit(page, circuitFromArgs(['--r1', '10', '--x1', '2', '--r2', '12', '--r3', '9', '--short', 'C']));
    const { lines } = await execute(page);
    let saved = await download(page, '#Form2-SpeedButton4');
    check(saved.bytes.equals(expectedRtf(lines, '')), 'RTF of the worked solution equals the desktop writer\'s',
        `${saved.name} ${saved.bytes.length} bytes`);
    // Raise the characters 3 to 5 of line 4 ("Ua= 380ej0 ..."), then add a line at the end.
    await page.evaluate(() => {
        const block = document.getElementById('Form2-RichEdit1').children[4];
        const range = document.createRange();
        range.setStart(block.firstChild, 3);
        range.setEnd(block.firstChild, 5);
        getSelection().removeAllRanges();
        getSelection().addRange(range);
    });
    await page.click('#Form2-SpeedButton6');
    await page.click('#Form2-SpeedButton6');
    await page.evaluate(() => {
        const edit = document.getElementById('Form2-RichEdit1');
        const range = document.createRange();
        range.selectNodeContents(edit.lastElementChild);
        range.collapse(false);
        getSelection().removeAllRanges();
        getSelection().addRange(range);
    });
    await page.keyboard.press('Enter');
    await page.keyboard.type('Проверка: I²');
    saved = await download(page, '#Form2-SpeedButton4');
    const edited = [...lines, 'Проверка: I²'];
    check(saved.bytes.equals(expectedRtf(edited, '4,3,5')), 'RTF after raising and typing equals the desktop writer\'s',
        saved.bytes.toString('latin1').slice(0, 400));
    const text = await download(page, '#Form2-SaveText');
    check(text.bytes.toString('utf8') === edited.join('\r\n') + '\r\n', 'the plain text after the edit');

    // A long document (as after pasting much text) is saved whole.
    const long = Array.from({ length: 20000 }, (_, k) => `${k}: Баланс мощностей сходится значит задача решена верно!`);
    await page.evaluate((all) => {
        document.getElementById('Form2-RichEdit1').replaceChildren(...all.map((line) => {
            const block = document.createElement('div');
            block.textContent = line;
            return block;
        }));
    }, long);
    saved = await download(page, '#Form2-SpeedButton4');
    check(saved.bytes.equals(expectedRtf(long, '')), 'RTF of a 20000-line document', `${saved.bytes.length} bytes`);
    await page.close();
}
