// The web edition's tests in a real browser: node run.mjs SITE_DIR VORNIK_CLI OUT_DIR
// Each group prints its checks; the exit status is 1 when any check failed.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { basename, dirname, extname, join, resolve } from 'node:path';
import { launchBrowser, openPage } from './browser.mjs';
import { cliArguments, defaultPrecision, fieldOptions, initialTexts, randomCircuit, seededRandom } from './circuits.mjs';
import { countDialogs, execute, setCircuit } from './page.mjs';

const [siteDir, cli, outDir] = process.argv.slice(2).map((a) => resolve(a));
mkdirSync(outDir, { recursive: true });
let failures = 0;
let checks = 0;

export function check(ok, what, detail = '') {
    checks += 1;
    if (!ok) {
        failures += 1;
        console.log(`FAIL ${what}${detail ? '\n     ' + detail : ''}`);
    }
}

function runCli(args) {
    try {
        return JSON.parse(execFileSync(cli, args, { encoding: 'utf8' }));
    } catch (error) {
        // A failed run ends with status 1 but still writes its JSON.
        if (error.stdout) {
            return JSON.parse(error.stdout);
        }
        throw error;
    }
}

function firstDifference(a, b) {
    for (let k = 0; k < Math.max(a.length, b.length); ++k) {
        if (a[k] !== b[k]) {
            return `line ${k + 1}: page ${JSON.stringify(a[k])} / cli ${JSON.stringify(b[k])}`;
        }
    }
    return '';
}

// In every drawing after the first the canvas keeps the face and size of the previous drawing's
// last label, as the desktop's canvas does; vornik-cli draws each diagram on a new canvas, where
// the axis captions and the legend use the default face (and the captions its 8 points).
function carriedOver(ops) {
    return ops.map((op) => (op.op === 'text' && op.font === 'default' ? { ...op, font: 'Time New Roman', size: 12 } : op));
}

async function pixelsOutsideTexts(page, png) {
    return page.evaluate(async (src) => {
        const image = new Image();
        image.src = src;
        await image.decode();
        const scratch = document.createElement('canvas');
        scratch.width = scratch.height = 400;
        const context = scratch.getContext('2d');
        context.drawImage(image, 0, 0);
        const cli = context.getImageData(0, 0, 400, 400).data;
        const canvas = document.getElementById('Form7-Image1');
        const own = canvas.getContext('2d').getImageData(0, 0, 400, 400).data;
        // The texts' boxes, a few pixels wider: the desktop's font engine lays glyphs out a little
        // differently from the browser's.
        const inText = (x, y) => canvas.vornikTextRects.some((r) =>
            x >= r.x - 2 && x < r.x + r.width + 6 && y >= r.y - 2 && y < r.y + r.height + 4);
        let compared = 0;
        let inked = 0;
        const differing = [];
        for (let y = 0; y < 400; ++y) {
            for (let x = 0; x < 400; ++x) {
                if (inText(x, y)) {
                    continue;
                }
                const k = 4 * (y * 400 + x);
                compared += 1;
                inked += cli[k] + cli[k + 1] + cli[k + 2] < 765 ? 1 : 0;
                if (cli[k] !== own[k] || cli[k + 1] !== own[k + 1] || cli[k + 2] !== own[k + 2]) {
                    differing.push([x, y]);
                }
            }
        }
        return { compared, inked, differing: differing.slice(0, 10), count: differing.length };
    }, 'data:image/png;base64,' + readFileSync(png).toString('base64'));
}

const groups = {
    // The worked solution and the message of random circuits equal vornik-cli's.
    async reports(browser) {
        const page = await browser.newPage();
        await countDialogs(page);
        await page.goto(new URL('index.html', 'file://' + siteDir + '/').href);
        await page.waitForSelector('body[data-ready="true"]');
        const random = seededRandom(20261207);
        let failed = 0;
        const total = 60;
        for (let n = 0; n < total; ++n) {
            const circuit = randomCircuit(random);
            const expected = runCli(cliArguments(circuit));
            const before = await page.$$eval('#Form2-RichEdit1 > *', (b) => b.map((e) => e.textContent));
            await setCircuit(page, circuit);
            const got = await execute(page);
            const name = `circuit ${n} (${circuit.star ? 'star' : 'delta'}, ${JSON.stringify(circuit.texts)})`;
            // A run that fails before the normal-mode report leaves the previous document.
            const lines = expected.report.length > 0 ? expected.report : before;
            const diff = firstDifference(got.lines, lines);
            check(diff === '', `${name}: report equals vornik-cli's`, diff);
            check(got.message === expected.message, `${name}: message`,
                `page ${JSON.stringify(got.message)} / cli ${JSON.stringify(expected.message)}`);
            check(got.dialogs === (expected.message === null ? 0 : 1), `${name}: one dialog per failure`,
                `${got.dialogs} dialogs`);
            check(!got.stillOpen, `${name}: the dialog's button closes it`);
            failed += expected.message === null ? 0 : 1;
        }
        console.log(`reports: ${total} circuits, ${failed} of them ending in a message`);
        await page.close();

        // A fresh page's untouched fields and precision boxes hold the core's initial texts: only
        // the resistances and the ticks are set here, the rest comes from the page as it opened.
        for (const star of [true, false]) {
            const fresh = await openPage(browser, siteDir);
            await fresh.evaluate((isStar) => {
                const $ = (id) => document.getElementById(id);
                ['Edit4', 'Edit6', 'Edit8'].forEach((f) => { $('Form3-' + f).value = '10'; });
                $(isStar ? 'Form3-RadioButton1' : 'Form3-RadioButton2').click();
                for (let k = 1; k <= 7; ++k) {
                    $('Form3-CheckBox' + k).click();
                }
            }, star);
            const args = ['--json', '--r1', '10', '--r2', '10', '--r3', '10', '--neutral', '--break', 'A', '--break', 'B',
                '--break', 'C', ...(star ? ['--short', 'A', '--short', 'B', '--short', 'C'] : ['--delta', '--open', 'AB',
                    '--open', 'BC', '--open', 'CA'])];
            const got = await execute(fresh);
            const diff = firstDifference(got.lines, runCli(args).report);
            check(diff === '' && got.lines.length > 100, `${star ? 'star' : 'delta'}: the initial texts are the core's`, diff);
            await fresh.close();
        }
    },

    // Each mode button draws the operations vornik-cli gives for it, and the first drawing of a
    // balanced star has the pixels of vornik-cli's PNG outside the texts.
    async diagram(browser) {
        const circuits = [
            { star: true, neutral: true, args: ['--r1', '10', '--x1', '5', '--r2', '20', '--r3', '8', '--x3', '-6',
                '--neutral', '--short', 'A', '--short', 'B', '--short', 'C', '--break', 'A', '--break', 'B', '--break', 'C'] },
            { star: true, neutral: false, args: ['--u1', '220', '--u2', '220', '--u3', '220', '--r1', '10', '--r2', '10',
                '--x2', '4', '--r3', '15', '--short', 'B', '--break', 'C'] },
            { star: false, args: ['--delta', '--r1', '10', '--x1', '3', '--r2', '12', '--r3', '7', '--x3', '-2',
                '--open', 'AB', '--open', 'BC', '--open', 'CA', '--break', 'A', '--break', 'B', '--break', 'C'] },
        ];
        for (const circuit of circuits) {
            const page = await openPage(browser, siteDir);
            const cliRun = runCli(['--json', ...circuit.args]);
            await setCircuit(page, circuitFromArgs(circuit.args));
            await execute(page);
            let label11 = '';
            for (let button = 1; button <= 14; ++button) {
                const radio = '#Form7-RadioButton' + button;
                const enabled = await page.$eval(radio, (r) => !r.disabled);
                const pair = Math.ceil(button / 2) - 1;
                const ticked = pair === 0 || circuitFromArgs(circuit.args).checks[pair];
                check(enabled === ticked, `${circuit.args.join(' ')}: button ${button} enabled by its tick`);
                if (!enabled) {
                    continue;
                }
                if (button > 1) {
                    await page.click(radio);
                }
                const expected = runCli(['--json', ...circuit.args, '--diagram', String(button)]).diagram;
                const drawn = await page.evaluate(() => ({
                    ops: document.getElementById('Form7-Image1').vornikOps,
                    label11: document.getElementById('Form7-Label11').textContent,
                    label12: document.getElementById('Form7-Label12').textContent,
                }));
                const ops = button === 1 ? expected.ops : carriedOver(expected.ops);
                check(JSON.stringify(drawn.ops) === JSON.stringify(ops),
                    `${circuit.args.join(' ')}: button ${button} draws vornik-cli's operations`,
                    firstDifference(drawn.ops.map((o) => JSON.stringify(o)), ops.map((o) => JSON.stringify(o))));
                label11 = expected.label11 ?? label11;
                check(drawn.label11 === label11 && drawn.label12 === expected.label12,
                    `button ${button}: Label11 and Label12`, JSON.stringify([drawn.label11, drawn.label12, label11, expected.label12]));
            }
            check(cliRun.completed, 'the diagram circuits complete');
            await page.close();
        }

        // Phase B at -90 degrees puts its label past the right edge: it is moved back inside by
        // its overflow, and every text stays on the canvas.
        const page = await openPage(browser, siteDir);
        await setCircuit(page, circuitFromArgs(['--a2', '-90', '--a3', '90', '--r1', '10', '--r2', '10', '--r3', '10']));
        await execute(page);
        const placed = await page.evaluate(() => {
            const canvas = document.getElementById('Form7-Image1');
            const texts = canvas.vornikOps.filter((op) => op.op === 'text');
            return canvas.vornikTextRects.map((r, k) => ({ ...r, wanted: [texts[k].x, texts[k].y] }));
        });
        const moved = placed.filter((r) => r.x !== r.wanted[0] || r.y !== r.wanted[1]);
        check(moved.length > 0 && moved.every((r) => r.x + r.width === 400 || r.y + r.height === 400 || r.x === 0 || r.y === 0),
            'a label reaching past the edge is moved back by its overflow', JSON.stringify(moved));
        check(placed.every((r) => r.x >= 0 && r.y >= 0 && r.x + r.width <= 400 && r.y + r.height <= 400),
            'every text lies on the canvas', JSON.stringify(placed));
        await page.close();

        const balanced = ['--r1', '10', '--r2', '10', '--r3', '10'];
        const unbalanced = ['--r1', '10', '--x1', '7', '--r2', '30', '--r3', '10', '--x3', '-3', '--neutral'];
        for (const args of [balanced, unbalanced]) {
            const png = join(outDir, 'cli-diagram.png');
            execFileSync(cli, [...args, '--diagram', '1', '--out', png]);
            const page = await openPage(browser, siteDir);
            await setCircuit(page, circuitFromArgs(args));
            await execute(page);
            const result = await pixelsOutsideTexts(page, png);
            check(result.count === 0 && result.inked > 500,
                `${args.join(' ')}: first drawing's pixels outside the texts equal vornik-cli's PNG`,
                `${result.count} of ${result.compared} differ, e.g. ${JSON.stringify(result.differing)}`);
            console.log(`diagram pixels: ${result.compared} compared (${result.inked} inked), ${result.count} differ`);
            await page.close();
        }
    },

    // The pictures and the plain text saved from the page.
    async saving(browser) {
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
    },

    // The RTF saved from the page is the desktop writer's for the same document, also after the
    // student raised part of a line and typed a line of their own.
    async rtf(browser) {
        const reference = join(dirname(dirname(cli)), 'tests', 'web_rtf_reference');
        const expectedRtf = (lines, spans) => execFileSync(reference, [spans], { input: lines.map((l) => l + '\n').join('') });
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
        await page.close();
    },

    // From a plain static web server the page works the same.
    async served(browser) {
        const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.svg': 'image/svg+xml', '.htm': 'text/html' };
        const server = createServer((request, response) => {
            const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname).replace(/^\/+/, '') || 'index.html';
            const file = join(siteDir, basename(name));
            if (!existsSync(file)) {
                response.writeHead(404).end();
                return;
            }
            response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' });
            response.end(readFileSync(file));
        });
        await new Promise((r) => server.listen(0, '127.0.0.1', r));
        const page = await browser.newPage();
        const errors = [];
        page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
        page.on('pageerror', (e) => errors.push(e.message));
        await page.goto(`http://127.0.0.1:${server.address().port}/index.html`);
        await page.waitForSelector('body[data-ready="true"]', { timeout: 10000 });
        const args = ['--r1', '10', '--r2', '10', '--r3', '10', '--delta', '--open', 'AB'];
        await setCircuit(page, circuitFromArgs(args));
        const got = await execute(page);
        check(firstDifference(got.lines, runCli(['--json', ...args]).report) === '' && errors.length === 0,
            'served over http: the same report, no console error', JSON.stringify(errors));
        await page.close();
        server.close();
    },

    // The cursor read-out in pixels of the picture, also when the canvas is shown smaller.
    async readout(browser) {
        for (const viewport of [{ width: 1280, height: 800 }, { width: 360, height: 740 }]) {
            const page = await openPage(browser, siteDir, viewport);
            const box = await (await page.$('#Form7-Image1')).boxModel();
            const scale = box.content[1].x - box.content[0].x;
            await page.$eval('#Form7-Image1', (e) => e.scrollIntoView());
            const at = await (await page.$('#Form7-Image1')).boxModel();
            await page.mouse.move(at.content[0].x + (150.5 * scale) / 400, at.content[0].y + (60.5 * scale) / 400);
            const shown = await page.evaluate(() => [6, 7, 9, 10].map((k) => document.getElementById('Form7-Label' + k).textContent));
            check(JSON.stringify(shown) === JSON.stringify(['150', '60', '140', '50']), `${viewport.width} wide: read-out at (150, 60)`,
                JSON.stringify(shown));
            const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
            check(overflow <= 0, `${viewport.width} wide: nothing wider than the screen`, `${overflow} pixels too wide`);
            await page.close();
        }
    },

    // Opened as a file, the page asks the network for nothing and logs no error.
    async offline(browser) {
        const page = await browser.newPage();
        const requests = [];
        const errors = [];
        page.on('request', (r) => requests.push(r.url()));
        page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
        page.on('pageerror', (e) => errors.push(e.message));
        await page.goto(new URL('index.html', 'file://' + siteDir + '/').href);
        await page.waitForSelector('body[data-ready="true"]');
        await setCircuit(page, circuitFromArgs(['--r1', '10', '--r2', '10', '--r3', '10', '--short', 'A', '--break', 'C']));
        await execute(page);
        await page.click('#Form7-RadioButton4');
        await page.$eval('#Form4', (d) => { d.open = true; });
        await page.$eval('#Form8', (d) => { d.open = true; });
        await page.click('#Form8-Button1');
        await page.mouse.move(10, 10);
        const network = requests.filter((u) => !u.startsWith('file:') && !u.startsWith('data:'));
        check(requests.length > 0 && network.length === 0, 'no network request', JSON.stringify(network));
        check(errors.length === 0, 'no console error', JSON.stringify(errors));
        await page.close();
    },

    // Typing into the fields: digits, comma and minus pass, a full stop becomes a comma, the
    // length limits hold; the precision boxes take 0 to 5.
    async keys(browser) {
        const page = await openPage(browser, siteDir);
        await page.$eval('#Form4', (d) => { d.open = true; });
        await page.$eval('#Form8', (d) => { d.open = true; });
        const typeInto = async (id, text) => {
            await page.$eval(id, (e) => { e.value = ''; });
            await page.type(id, text);
            return page.$eval(id, (e) => e.value);
        };
        const cases = [
            ['#Form3-Edit4', '1.5', '1,5'], ['#Form3-Edit4', 'a1 b', '1'], ['#Form3-Edit4', '-2.75', '-2,7'],
            ['#Form3-ComboBox1', '12345', '1234'], ['#Form3-Edit11', '0.0125', '0,012'], ['#Form3-Edit1', '+-,.', '-,,'],
            ['#Form4-ComboBox1', '7', ''], ['#Form4-ComboBox1', '35', '3'], ['#Form4-ComboBox20', ',5', '5'],
            ['#Form8-Edit3', '1.25e3', '1,253'], ['#Form8-Edit2', '314.15927', '314,15927'],
        ];
        for (const [id, typed, expected] of cases) {
            const got = await typeInto(id, typed);
            check(got === expected, `typing ${JSON.stringify(typed)} into ${id}`, `${JSON.stringify(got)}, expected ${JSON.stringify(expected)}`);
        }
        await page.close();
    },

    // Star and delta relabel the form and enable what only one connection uses.
    async connection(browser) {
        const page = await openPage(browser, siteDir);
        const state = () => page.evaluate(() => {
            const $ = (id) => document.getElementById(id);
            return {
                voltage: [$('Form3-Label3'), $('Form3-Label10'), $('Form3-Label11')].map((l) => l.textContent),
                load: ['Form3-Label4', 'Form3-Label5', 'Form3-Label6'].map((id) => $(id).dataset.caption),
                shorts: ['Form3-Caption2', 'Form3-Caption3', 'Form3-Caption4'].map((id) => $(id).dataset.caption),
                heading: $('Form3-Label9').textContent,
                neutralBox: !$('Form3-CheckBox1').disabled,
                r0: !$('Form3-Edit10').disabled,
                shunts: ['Form3-Edit11', 'Form3-Edit12', 'Form3-Edit13'].map((id) => !$(id).disabled),
                tick2: $('Form3-CheckBox2').checked,
                assistant: !$('Form8-Button2').disabled,
            };
        });
        await page.click('#Form3-CheckBox2');
        await page.click('#Form3-CheckBox1');
        check((await state()).r0, 'ticking the neutral wire enables R0');
        await page.click('#Form3-RadioButton2');
        const delta = await state();
        check(JSON.stringify(delta.voltage) === JSON.stringify(['Uаb=', 'Ubc=', 'Uca=']), 'delta voltage captions', JSON.stringify(delta.voltage));
        check(delta.load[0] === 'Rab=          Xab=           (Om)' && delta.load[2] === 'Rca=          Xca=           (Om)', 'delta load captions', JSON.stringify(delta.load));
        check(JSON.stringify(delta.shorts) === JSON.stringify(['фаза "АВ"', 'фаза "ВС"', 'фаза "СА"']) && delta.heading === 'Обрыв фазы нагрузки',
            'delta: the short-circuit boxes become load-phase breaks', JSON.stringify([delta.shorts, delta.heading]));
        check(!delta.neutralBox && !delta.r0 && delta.shunts.every((e) => !e) && delta.tick2 && !delta.assistant,
            'delta disables the neutral wire, R0, the shunts and the assistant\'s line voltage, keeping the ticks', JSON.stringify(delta));
        await page.click('#Form3-RadioButton1');
        const star = await state();
        check(JSON.stringify(star.voltage) === JSON.stringify([' Uа= ', ' Ub= ', ' Uc= ']) && star.load[1] === ' Rb=            Xb=            (Om)' &&
            star.shorts[0] === 'фаза "А"                 (Оm)' && star.heading === 'КЗ фазы', 'star captions again', JSON.stringify(star));
        check(star.neutralBox && star.r0 && star.shunts.every((e) => e) && star.assistant, 'star enables them again', JSON.stringify(star));
        await page.click('#Form3-CheckBox1');
        check(!(await state()).r0, 'unticking the neutral wire disables R0');
        await page.close();
    },

    // The assistant's worked values and its messages.
    async assistant(browser) {
        const page = await openPage(browser, siteDir);
        await countDialogs(page);
        await page.reload();
        await page.waitForSelector('body[data-ready="true"]');
        await page.click('#Form8 summary');
        // The showing's work runs on the toggle event, a moment after the click.
        await page.waitForFunction(() => document.getElementById('Form8').open);
        await new Promise((r) => setTimeout(r, 50));
        const units = await page.evaluate(() => [1, 2, 3, 4, 5, 6].map((k) => document.getElementById('Form8-ComboBox' + k).value));
        check(JSON.stringify(units) === JSON.stringify(['мГн', 'мГн', 'мГн', 'мкФ', 'мкФ', 'мкФ']), 'showing the assistant selects мГн and мкФ', JSON.stringify(units));
        const set = (values) => page.evaluate((v) => {
            for (const [id, value] of Object.entries(v)) {
                const e = document.getElementById(id);
                if (e.tagName === 'SELECT') {
                    e.selectedIndex = value;
                } else if (e.type === 'radio') {
                    e.click();
                } else {
                    e.value = value;
                }
            }
        }, values);
        const field = (id) => page.$eval(id, (e) => e.value ?? e.textContent);
        for (const [line, phase] of [['660', '381'], ['380', '219'], ['220', '127'], ['127', '73'], ['-660', '-381']]) {
            await set({ 'Form8-Edit1': line });
            await page.click('#Form8-Button1');
            check(await page.$eval('#Form8-Label1', (e) => e.textContent) === phase, `phase voltage of ${line}`);
        }
        await set({ 'Form8-Edit1': '380' });
        await page.click('#Form8-Button2');
        const voltages = await page.evaluate(() => [1, 2, 3].map((k) => document.getElementById('Form3-ComboBox' + k).value));
        check(voltages.every((v) => v === '219') && (await field('#Form3-Edit2')) === '-120', '"Задать" writes 219 into the three voltages only');
        const reactances = [
            [{ 'Form8-Edit3': '100', 'Form8-Edit4': '0' }, '#Form3-Edit5', '31,42'],
            [{ 'Form8-Edit5': '0', 'Form8-Edit6': '100' }, '#Form3-Edit7', '-31,83'],
            [{ 'Form8-Edit7': '100', 'Form8-Edit8': '100' }, '#Form3-Edit9', '-0,42'],
            [{ 'Form8-Edit3': '50', 'Form8-Edit4': '0' }, '#Form3-Edit5', '15,71'],
            [{ 'Form8-Edit5': '-0', 'Form8-Edit6': '-10' }, '#Form3-Edit7', '-318,31'],
            [{ 'Form8-RadioButton2': true, 'Form8-Edit2': '314,15927', 'Form8-Edit7': '100', 'Form8-Edit8': '100' }, '#Form3-Edit9', '-0,42'],
        ];
        for (const [values, target, expected] of reactances) {
            await set(values);
            await page.click({ '#Form3-Edit5': '#Form8-Button3', '#Form3-Edit7': '#Form8-Button4', '#Form3-Edit9': '#Form8-Button5' }[target]);
            check(await field(target) === expected, `reactance ${JSON.stringify(values)}`, `${await field(target)}, expected ${expected}`);
        }
        check(await page.$eval('#Form8-Label5', (e) => e.textContent) === ' (1/c) ', 'angular frequency unit');
        const messages = [
            [{ 'Form8-Edit3': '0', 'Form8-Edit4': '0' }, 'Введите значения!!!'],
            [{ 'Form8-Edit3': '5', 'Form8-ComboBox1': -1 }, 'Укажите велечину индуктивности!'],
            [{ 'Form8-Edit3': '0', 'Form8-Edit4': '3', 'Form8-ComboBox4': -1 }, 'Укажите велечину ёмкости!'],
            [{ 'Form8-Edit3': '1,2,', 'Form8-Edit4': '3' }, "'1,2,' is not a valid floating point value."],
        ];
        for (const [values, text] of messages) {
            await set({ 'Form3-Edit5': 'kept', 'Form8-ComboBox1': 1, 'Form8-ComboBox4': 2 });
            await set(values);
            const before = await page.evaluate(() => window.vornikDialogs);
            await page.click('#Form8-Button3');
            const shown = await page.evaluate(() => [document.getElementById('vornik-message-text').textContent, window.vornikDialogs]);
            check(shown[0] === text && shown[1] - before === 1, `assistant message ${text}`, JSON.stringify(shown));
            await page.click('#vornik-message-ok');
            check(await field('#Form3-Edit5') === 'kept', `after "${text}" the form keeps its value`);
        }
        await page.click('#Form3-RadioButton2');
        check(await page.$eval('#Form8-Button1', (b) => b.disabled), 'delta disables "Рассчитать"');
        await page.close();
    },

    // Screenshots for a look at a desktop and a phone.
    async screenshots(browser) {
        for (const [width, height] of [[1280, 800], [390, 844]]) {
            const page = await openPage(browser, siteDir, { width, height });
            await setCircuit(page, circuitFromArgs(['--r1', '10', '--x1', '5', '--r2', '12', '--r3', '9', '--x3', '-4',
                '--neutral', '--short', 'A', '--break', 'B']));
            await execute(page);
            await page.screenshot({ path: join(outDir, `page-${width}x${height}.png`) });
            await page.$eval('#Form7', (e) => e.scrollIntoView());
            await page.screenshot({ path: join(outDir, `page-${width}x${height}-diagram.png`) });
            await page.$eval('#Form4', (d) => { d.open = true; });
            await page.$eval('#Form8', (d) => { d.open = true; });
            await page.$eval('#Form4', (e) => e.scrollIntoView());
            await page.screenshot({ path: join(outDir, `page-${width}x${height}-settings.png`) });
            await page.$eval('#Form8', (e) => e.scrollIntoView());
            await page.screenshot({ path: join(outDir, `page-${width}x${height}-assistant.png`) });
            const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
            check(overflow <= 0, `${width} x ${height}: nothing wider than the screen`, `${overflow} pixels too wide`);
            await page.close();
        }
    },
};

// Clicks a save button and returns the bytes of the file the browser downloaded.
async function download(page, selector) {
    const dir = mkdtempSync(join(outDir, 'download-'));
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: dir });
    await page.click(selector);
    for (let wait = 0; wait < 100; ++wait) {
        const done = readdirSync(dir).filter((f) => !f.endsWith('.crdownload'));
        if (done.length > 0) {
            await new Promise((r) => setTimeout(r, 50));
            const bytes = readFileSync(join(dir, done[0]));
            rmSync(dir, { recursive: true, force: true });
            return { name: done[0], bytes };
        }
        await new Promise((r) => setTimeout(r, 50));
    }
    rmSync(dir, { recursive: true, force: true });
    return { name: null, bytes: Buffer.alloc(0) };
}

// The page circuit of a vornik-cli argument list.
function circuitFromArgs(args) {
    const circuit = { star: !args.includes('--delta'), texts: [...initialTexts], checks: Array(7).fill(false),
        precision: [...defaultPrecision] };
    circuit.checks[0] = args.includes('--neutral');
    for (let k = 0; k < args.length; ++k) {
        const field = fieldOptions.indexOf(args[k]);
        if (field >= 0) {
            circuit.texts[field] = args[k + 1];
        }
        const phases = { '--short': ['A', 'B', 'C'], '--open': ['AB', 'BC', 'CA'], '--break': ['A', 'B', 'C'] };
        if (phases[args[k]]) {
            circuit.checks[phases[args[k]].indexOf(args[k + 1]) + (args[k] === '--break' ? 4 : 1)] = true;
        }
    }
    return circuit;
}

const browser = await launchBrowser();
try {
    for (const [name, group] of Object.entries(groups)) {
        if (process.env.VORNIK_WEB_TESTS && !process.env.VORNIK_WEB_TESTS.split(',').includes(name)) {
            continue;
        }
        const before = failures;
        await group(browser);
        console.log(`${failures === before ? 'ok  ' : 'FAIL'} ${name}`);
    }
} finally {
    await browser.close();
}
console.log(`${checks} checks, ${failures} failed`);
process.exit(failures ? 1 : 0);
