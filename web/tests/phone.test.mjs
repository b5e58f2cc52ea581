// The page on phones and tablets, and what a student does with fingers, a keyboard or a screen
// reader: layout, tap targets, paste, Enter, the announcement, print and the saved files' names.
import { openPage } from './browser.mjs';
import { check, circuitFromArgs, download, firstDifference, runCli, siteDir } from './context.mjs';
import { countDialogs, execute, reportLines, setCircuit } from './page.mjs';

const phones = [[320, 640], [390, 844], [820, 1180]]
    .map(([width, height]) => ({ width, height, isMobile: true, hasTouch: true, deviceScaleFactor: 3 }));
const circuit = ['--r1', '10', '--x1', '5', '--r2', '12', '--r3', '9', '--neutral', '--short', 'A', '--break', 'B'];

// Controls smaller than 44 x 44 px (a tick or radio button measured by its label), fields with
// text under 16 px, and boxes that scroll inside the page.
const measure = () => {
    const visible = (e) => e.getClientRects().length > 0 && getComputedStyle(e).visibility === 'visible' && !e.closest('details:not([open]) > :not(summary)');
    const small = [];
    const controls = [...document.querySelectorAll('button, input, select, summary, a[href], canvas[tabindex]')].filter(visible);
    for (const e of controls) {
        const target = e.type === 'checkbox' || e.type === 'radio' ? e.closest('label') ?? document.querySelector(`label[for="${e.id}"]`) : e;
        const r = target?.getBoundingClientRect();
        if (!r || r.width < 44 || r.height < 44) {
            small.push(`${e.id || e.textContent.trim().slice(0, 20)} ${r ? `${Math.round(r.width)}x${Math.round(r.height)}` : 'no label'}`);
        }
    }
    const tinyText = controls.filter((e) => e.matches('input:not([type=checkbox]):not([type=radio]), select'))
        .filter((e) => parseFloat(getComputedStyle(e).fontSize) < 16).map((e) => e.id);
    const scrollers = [...document.querySelectorAll('body *')].filter((e) => /auto|scroll/.test(getComputedStyle(e).overflowY) &&
        e.scrollHeight > e.clientHeight + 1).map((e) => e.id || e.className);
    // How far the page reaches past the screen: a phone browser widens its viewport (innerWidth)
    // to a page that is too wide, the layout width (clientWidth) stays the screen's.
    const root = document.documentElement;
    return { small, tinyText, scrollers, overflow: root.scrollWidth - root.clientWidth };
};

// Each screen: nothing wider than the screen, targets and text large enough, the sticky execute
// button tapped at the bottom of the form brings the solution into view.
export async function phoneLayout(browser) {
    const expected = runCli(['--json', ...circuit]).report;
    for (const viewport of phones) {
        const page = await openPage(browser, siteDir, viewport);
        const at = `${viewport.width} x ${viewport.height}`;
        await page.click('#Form4 > summary');
        await page.click('#Form8 > summary');
        const fresh = await page.evaluate(measure);
        await page.click('#Form4 > summary');
        await page.click('#Form8 > summary');
        await setCircuit(page, circuitFromArgs(circuit));
        await page.$eval('#Form3-CheckBox7', (e) => e.scrollIntoView({ block: 'end' }));
        const button = await page.$eval('#Form1-SpeedButton1', (e) => {
            const r = e.getBoundingClientRect();
            return { x: r.x + r.width / 2, y: r.y + r.height / 2, shown: r.top >= 0 && r.bottom <= innerHeight };
        });
        await page.touchscreen.tap(button.x, button.y);
        await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
        const solution = await page.evaluate(() => {
            const first = document.getElementById('Form2-RichEdit1').firstElementChild?.getBoundingClientRect();
            const bar = document.querySelector('.bar').getBoundingClientRect();
            return first ? { top: first.top, bottom: first.bottom, barBottom: Math.max(0, bar.bottom) } : null;
        });
        const ran = await page.evaluate(measure);
        // A finger scrolling over the solution does not put it into editing.
        const over = await page.$eval('#Form2-RichEdit1', (e) => {
            const r = e.getBoundingClientRect();
            return { x: r.x + r.width / 2, y: Math.min(r.bottom, innerHeight) - 40 };
        });
        await page.touchscreen.touchStart(over.x, over.y);
        for (let k = 1; k <= 8; ++k) {
            await page.touchscreen.touchMove(over.x, over.y - 25 * k);
        }
        await page.touchscreen.touchEnd();
        const editing = await page.evaluate(() => document.activeElement.id === 'Form2-RichEdit1');
        const cases = [
            ['scrolling over the solution does not start editing it', !editing],
            ['the execute button stays on screen at the end of the form', button.shown],
            ['the solution comes into view below the title bar', solution !== null && solution.top >= solution.barBottom - 1 &&
                solution.bottom <= viewport.height],
            ['the solution is vornik-cli\'s', firstDifference(await reportLines(page), expected) === ''],
            ['nothing wider than the screen', fresh.overflow <= 0 && ran.overflow <= 0],
            ['tap targets at least 44 x 44 px', fresh.small.length === 0 && ran.small.length === 0],
            ['field text at least 16 px', fresh.tinyText.length === 0],
            ['no box scrolling inside the page', viewport.width > 800 || ran.scrollers.length === 0],
        ];
        for (const [what, ok] of cases) {
            check(ok, `${at}: ${what}`, JSON.stringify({ button, solution, fresh, ran }));
        }
        await page.close();
    }
}

// Pasting through the clipboard as a student does: the typing filter applies, a text too long
// for the field is refused with a hint under it and the field keeps its text.
export async function pasting(browser) {
    const page = await openPage(browser, siteDir, phones[1]);
    await page.click('#Form4 > summary');
    const cases = [
        ['#Form3-Edit4', '3.14', '3,14', false],
        ['#Form3-Edit6', '1 2', '12', false],
        ['#Form3-Edit1', '-45', '-45', false],
        ['#Form3-ComboBox1', '1 234,5', '380', true],
        ['#Form3-Edit11', '0.0125', '0,01', true],
        ['#Form3-Edit8', 'x', '0', false],
        ['#Form4-ComboBox1', '4', '4', false],
        ['#Form4-ComboBox2', '9', '0', false],
    ];
    for (const [id, text, expected, hinted] of cases) {
        await page.evaluate((t) => navigator.clipboard.writeText(t), text);
        await page.$eval(id, (e) => { e.focus(); e.select(); });
        await page.keyboard.down('Control');
        await page.keyboard.press('v');
        await page.keyboard.up('Control');
        const got = await page.$eval(id, (e) => ({
            value: e.value,
            hint: document.getElementById(e.getAttribute('aria-describedby'))?.textContent ?? null,
        }));
        check(got.value === expected && (got.hint !== null) === hinted, `pasting ${JSON.stringify(text)} into ${id}`, JSON.stringify(got));
        if (hinted) {
            await page.type(id, '');
            await page.keyboard.press('Backspace');
            const gone = await page.$eval(id, (e) => document.getElementById(e.id + '-hint') === null);
            check(gone, `the hint under ${id} goes with the next change`);
        }
    }
    await page.close();
}

// Enter in a field runs; the run is announced; the keyboards chosen keep the minus sign where a
// value can be negative; every field has a name of its own.
export async function keyboardAndVoice(browser) {
    const page = await openPage(browser, siteDir, phones[1]);
    await countDialogs(page);
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    await setCircuit(page, circuitFromArgs(circuit));
    await page.focus('#Form3-Edit9');
    await page.keyboard.press('Enter');
    check(firstDifference(await reportLines(page), runCli(['--json', ...circuit]).report) === '', 'Enter in a field runs');
    const status = () => page.waitForFunction(() => document.getElementById('vornik-status').textContent !== '', { timeout: 3000 })
        .then(() => page.$eval('#vornik-status', (e) => e.textContent), () => '');
    check(await status() === 'Решение готово. Режимов: 3', 'a finished run is announced with its modes', await status());
    await page.$eval('#Form3-ComboBox1', (e) => { e.value = ''; });
    const failed = await execute(page);
    check(failed.message !== null && await status() === failed.message, 'a failed run announces its message', await status());

    const modes = await page.evaluate(() => Object.fromEntries([...document.querySelectorAll('#Form3 input.num, #Form8 input.num')]
        .map((e) => [e.id, e.inputMode])));
    const signed = ['Form3-Edit1', 'Form3-Edit2', 'Form3-Edit3', 'Form3-Edit5', 'Form3-Edit7', 'Form3-Edit9'];
    const wrong = Object.entries(modes).filter(([id, mode]) => (mode === 'decimal') === signed.includes(id));
    check(wrong.length === 0, 'decimal keyboards on the unsigned fields only, the signed ones keep the minus', JSON.stringify(wrong));

    for (const connection of ['#Form3-RadioButton1', '#Form3-RadioButton2']) {
        await page.click(connection);
        await page.click('#Form4 > summary');
        await page.click('#Form8 > summary');
        const names = [];
        const walk = (node) => {
            if (['textbox', 'combobox', 'spinbutton', 'checkbox', 'radio'].includes(node.role)) {
                names.push(node.name ?? '');
            }
            (node.children ?? []).forEach(walk);
        };
        walk(await page.accessibility.snapshot({ interestingOnly: false }));
        const fields = names.filter((n, k) => names.indexOf(n) !== k || n.trim() === '');
        check(names.length > 50 && fields.length === 0, `${connection}: every field and tick has a name of its own`,
            `${names.length} named; repeated or empty: ${JSON.stringify(fields)}`);
        await page.click('#Form4 > summary');
        await page.click('#Form8 > summary');
    }
    await page.close();
}

// The printout: before a run one page with a note; after it the title line and the solution.
// Saved files are named by connection, mode and quantity.
export async function printAndNames(browser) {
    const page = await openPage(browser, siteDir);
    const printed = async () => {
        await page.emulateMediaType('print');
        const shown = await page.evaluate(() => ['Form2-PrintNote', 'Form2-PrintTitle', 'Form2-RichEdit1']
            .map((id) => getComputedStyle(document.getElementById(id)).display !== 'none'));
        const title = await page.$eval('#Form2-PrintTitle', (e) => e.textContent);
        // Back to no emulation: the PDF is printed with the print styles.
        await page.emulateMediaType(null);
        const pdf = Buffer.from(await page.pdf({ format: 'A4' })).toString('latin1');
        return { shown, title, pages: (pdf.match(/\/Type\s*\/Page[^s]/g) ?? []).length };
    };
    const before = await printed();
    check(JSON.stringify(before.shown) === '[true,false,false]' && before.pages === 1, 'printing before a run: one page with the note',
        JSON.stringify(before));
    await setCircuit(page, circuitFromArgs(['--delta', '--r1', '10', '--r2', '12', '--x2', '3', '--r3', '9', '--open', 'AB']));
    await execute(page);
    const after = await printed();
    check(JSON.stringify(after.shown) === '[false,true,true]' && after.title.includes('Соединение нагрузки: ТРЕУГОЛЬНИК') &&
        after.title.includes('Rbc = 12 Ом, Xbc = 3 Ом') && after.title.includes('Аварийные режимы: Обрыв фазы нагрузки AB') &&
        /Дата: \d\d\.\d\d\.\d{4}/.test(after.title),
        'printing after a run: the title block with the connection, inputs, modes and date, then the solution', JSON.stringify(after));
    const names = [
        [null, '#Form7-SavePng', 'vornik-delta-normal-U.png'],
        ['#Form7-RadioButton4', '#Form7-SaveJpeg', 'vornik-delta-openAB-I.jpg'],
        ['#Form7-RadioButton3', '#Form7-SaveBmp', 'vornik-delta-openAB-U.bmp'],
        [null, '#Form2-SpeedButton4', 'vornik-delta.rtf'],
        [null, '#Form2-SaveText', 'vornik-delta.txt'],
    ];
    for (const [mode, button, name] of names) {
        if (mode) {
            await page.click(mode);
        }
        const saved = await download(page, button);
        check(saved.name === name, `${button} saves ${name}`, saved.name);
    }
    await setCircuit(page, circuitFromArgs(['--r1', '10', '--r2', '12', '--r3', '9', '--short', 'C']));
    await execute(page);
    await page.click('#Form7-RadioButton8');
    for (const [button, name] of [['#Form7-SavePng', 'vornik-star-shortC-I.png'], ['#Form2-SaveText', 'vornik-star.txt']]) {
        const saved = await download(page, button);
        check(saved.name === name, `${button} saves ${name}`, saved.name);
    }
    // The read-out from the keyboard: arrows by a pixel, with Shift by ten, from the middle.
    await page.focus('#Form7-Image1');
    for (const key of ['ArrowRight', 'ArrowRight', 'ArrowRight', 'ArrowUp']) {
        await page.keyboard.press(key);
    }
    await page.keyboard.down('Shift');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.up('Shift');
    const shown = await page.evaluate(() => [6, 7, 9, 10].map((k) => document.getElementById('Form7-Label' + k).textContent));
    check(JSON.stringify(shown) === '["203","209","-9","-3"]', 'the read-out follows the arrow keys', JSON.stringify(shown));
    await page.close();
}

// The diagram on a screen of three device pixels per CSS pixel: drawn sharp at that size over
// the 400 x 400 picture, which is still what is saved; beside it the table of its arrows.
export async function diagramForAll(browser) {
    const page = await openPage(browser, siteDir, phones[1]);
    await setCircuit(page, circuitFromArgs(['--r1', '10', '--r2', '10', '--r3', '10', '--break', 'A']));
    await execute(page);
    await page.$eval('#Form7', (e) => e.scrollIntoView());
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
    const sharp = await page.evaluate(() => {
        const canvas = document.getElementById('Form7-Sharp');
        const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        let ink = 0;
        for (let k = 0; k < pixels.length; k += 4) {
            ink += pixels[k] + pixels[k + 1] + pixels[k + 2] < 600 ? 1 : 0;
        }
        const picture = document.getElementById('Form7-Image1');
        return { width: canvas.width, height: canvas.height, expected: Math.round(picture.clientWidth * devicePixelRatio),
            shown: getComputedStyle(canvas).display !== 'none', ink, picture: [picture.width, picture.height] };
    });
    check(sharp.shown && sharp.width === sharp.expected && sharp.height === sharp.expected && sharp.width > 1000 &&
        sharp.ink > 3000 && JSON.stringify(sharp.picture) === '[400,400]',
    'at 3 device pixels per pixel the diagram is drawn at that size', JSON.stringify(sharp));
    const png = await download(page, '#Form7-SavePng');
    check(png.bytes.readUInt32BE(16) === 400 && png.bytes.readUInt32BE(20) === 400, 'the saved picture stays 400 x 400');
    const table = () => page.$$eval('#Form7-Vectors tbody tr', (rows) => rows.map((r) => [...r.cells].map((c) => c.textContent)));
    const cases = [
        [null, [['Ua', '380,000 В', '0,0'], ['Ub', '380,000 В', '-120,0'], ['Uc', '380,000 В', '120,0']]],
        ['#Form7-RadioButton2', [['Ia', '38,000 А', '0,0'], ['Ib', '38,000 А', '-120,0'], ['Ic', '38,000 А', '120,0']]],
        ['#Form7-RadioButton10', [['Ib', '32,909 А', '-90,0'], ['Ic', '32,909 А', '90,0']]],
    ];
    for (const [mode, rows] of cases) {
        if (mode) {
            await page.click(mode);
        }
        const got = await table();
        check(rows.every((row, k) => JSON.stringify(got[k]) === JSON.stringify(row)), `vector table ${mode ?? 'of the normal voltages'}`,
            JSON.stringify(got));
    }
    check((await page.$eval('#Form7-Vectors-caption', (c) => c.textContent)).includes('Обрыв линейного провода А, токи'),
        'the table\'s caption names the mode');
    await page.close();
}

// At 320 px, after a run of each connection with every emergency mode and with each of the
// fourteen diagrams shown, the page is no wider than the screen and the execute bar is on it.
export async function noSidewaysScroll(browser) {
    const page = await openPage(browser, siteDir, phones[0]);
    const wide = [];
    for (const connection of [['--neutral', '--short', 'A', '--short', 'B', '--short', 'C'], ['--delta', '--open', 'AB',
        '--open', 'BC', '--open', 'CA']]) {
        await setCircuit(page, circuitFromArgs(['--r1', '10', '--r2', '12', '--r3', '9', ...connection, '--break', 'A',
            '--break', 'B', '--break', 'C']));
        await execute(page);
        for (let button = 1; button <= 14; ++button) {
            await page.$eval(`#Form7-RadioButton${button}`, (e) => e.click());
            const state = await page.evaluate(() => ({
                over: document.documentElement.scrollWidth - document.documentElement.clientWidth,
                bar: document.querySelector('.bar').getBoundingClientRect().right, width: document.documentElement.clientWidth }));
            if (state.over > 0 || state.bar > state.width) {
                wide.push({ connection: connection[0], button, ...state });
            }
        }
    }
    check(wide.length === 0, '320 px: no diagram of either connection makes the page scroll sideways', JSON.stringify(wide));
    await page.close();
}
