// The diagram: drawing operations against vornik-cli's, pixels against its PNG, text placement.
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { openPage } from './browser.mjs';
import { check, circuitFromArgs, cli, download, firstDifference, outDir, runCli, siteDir } from './context.mjs';
import { execute, setCircuit } from './page.mjs';

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
        const inText = (x, y) => window.vornikHooks.diagramTextRects.some((r) =>
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

// Each mode button draws the operations vornik-cli gives for it, and the first drawing of a
// balanced star has the pixels of vornik-cli's PNG outside the texts.
export async function diagram(browser) {
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
        // The core's mode table as the page has it: each pair's tick and the name vornik-cli
        // draws it by.
        const modes = (await page.evaluate(() => window.vornikHooks.modeTable)).filter((m) => m.star === circuit.star);
        let shownMode = null;
        for (let button = 1; button <= 14; ++button) {
            const radio = '#Form7-RadioButton' + button;
            const enabled = await page.$eval(radio, (r) => !r.disabled);
            const mode = modes.find((m) => m.pair === Math.ceil(button / 2) - 1);
            const ticked = mode.tick === null || circuitFromArgs(circuit.args).checks[mode.tick - 1];
            check(enabled === ticked, `${circuit.args.join(' ')}: button ${button} enabled by its tick`);
            if (!enabled) {
                continue;
            }
            if (button > 1) {
                await page.click(radio);
            }
            const kind = button % 2 === 1 ? 'U' : 'I';
            shownMode = `${mode.webName}-${kind}`;
            const expected = runCli(['--json', ...circuit.args, '--diagram', `${mode.name}:${kind}`]).diagram;
            const drawn = await page.evaluate(() => ({
                ops: window.vornikHooks.diagramOps,
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
        // The SVG download of the diagram shown last: well-formed, a line per line operation
        // (dotted ones dotted), a text on its white box per text operation, in order, where the
        // page painted it.
        const svg = await download(page, '#Form7-SaveSvg');
        const parsed = await page.evaluate((text) => {
            const doc = new DOMParser().parseFromString(text, 'image/svg+xml');
            return {
                error: doc.getElementsByTagName('parsererror').length > 0,
                lines: doc.getElementsByTagName('line').length,
                dotted: [...doc.getElementsByTagName('line')].filter((l) => l.hasAttribute('stroke-dasharray')).length,
                rects: doc.getElementsByTagName('rect').length,
                texts: [...doc.getElementsByTagName('text')].map((t) => t.textContent),
                // Each text's white box and baseline, as the core wrote them from the page's boxes.
                boxes: [...doc.getElementsByTagName('text')].map((t) => ['x', 'y', 'width', 'height']
                    .map((a) => Number(t.previousElementSibling.getAttribute(a))).concat(Number(t.getAttribute('y')))),
                width: doc.documentElement.getAttribute('width'),
            };
        }, svg.bytes.toString('utf8'));
        const shownOps = await page.evaluate(() => window.vornikHooks.diagramOps);
        const painted = await page.evaluate(() => window.vornikHooks.diagramTextRects.map((r) =>
            [r.x, r.y, r.width, r.height, r.y + r.ascent]));
        const kinds = (kind) => shownOps.filter((o) => o.op === kind);
        check(svg.name === `vornik-${circuit.star ? 'star' : 'delta'}-${shownMode}.svg` && !parsed.error && parsed.width === '400',
            `${circuit.args.join(' ')}: SVG download`,
            JSON.stringify([svg.name, parsed.error, parsed.width]));
        check(parsed.lines === kinds('line').length && parsed.dotted === kinds('line').filter((o) => o.style === 'dot').length &&
            parsed.rects === kinds('fill').length + kinds('text').length &&
            JSON.stringify(parsed.texts) === JSON.stringify(kinds('text').map((o) => o.text)),
            `${circuit.args.join(' ')}: SVG has the drawing's lines and texts`, JSON.stringify(parsed));
        check(JSON.stringify(parsed.boxes) === JSON.stringify(painted),
            `${circuit.args.join(' ')}: SVG texts in the boxes the page painted`, JSON.stringify([parsed.boxes, painted]));
        await page.close();
    }

    // Phase B at -90 degrees puts its label past the right edge: it is moved back inside by
    // its overflow, and every text stays on the canvas.
    const page = await openPage(browser, siteDir);
    await setCircuit(page, circuitFromArgs(['--a2', '-90', '--a3', '90', '--r1', '10', '--r2', '10', '--r3', '10']));
    await execute(page);
    const placed = await page.evaluate(() => {
        const texts = window.vornikHooks.diagramOps.filter((op) => op.op === 'text');
        return window.vornikHooks.diagramTextRects.map((r, k) => ({ ...r, wanted: [texts[k].x, texts[k].y] }));
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
}

// What the diagram shows belongs to the last run that stored results: its connection, its
// neutral wire, its values, redrawn after every such run and when the shown mode is chosen
// again; a mode that run did not reach shows one line instead of a picture.
export async function diagramFollowsRun(browser) {
    const starShort = ['--r1', '10', '--x1', '5', '--r2', '8', '--r3', '12', '--neutral', '--short', 'A'];
    const noNeutral = ['--r1', '10', '--x1', '5', '--r2', '8', '--r3', '12'];
    const balanced = ['--r1', '10', '--r2', '10', '--r3', '10'];
    const click = (id) => (page) => page.click('#' + id);
    const setText = (id, text) => (page) => page.$eval('#' + id, (e, t) => { e.value = t; }, text);
    const forget = (page) => page.evaluate(() => { window.vornikHooks.diagramOps = null; });
    const notComputed = 'Режим не рассчитывался при последнем выполнении';
    // [what, the run's options, steps after it, the button then shown, what it draws: vornik-cli's
    // options for the same drawing, or the line of a mode not computed]
    const cases = [
        ['delta chosen after a star run', starShort, [click('Form3-RadioButton2'), click('Form7-RadioButton2')], 2, starShort],
        ['neutral ticked after a run without it', noNeutral, [click('Form3-CheckBox1'), click('Form7-RadioButton2')], 2, noNeutral],
        ['a new run redraws the mode shown', balanced, [click('Form7-RadioButton2'), setText('Form3-Edit5', '94,25'),
            click('Form1-SpeedButton1')], 2, [...balanced, '--x1', '94,25']],
        ['the shown mode chosen again is drawn again', starShort, [click('Form7-RadioButton4'), forget,
            click('Form7-RadioButton4')], 4, starShort],
        ['a mode the last run stopped before', [...starShort, '--short', 'B', '--shunt2', '1,2,'],
            [click('Form7-RadioButton5')], 5, notComputed],
        ['a mode that run computed before it stopped', [...starShort, '--short', 'B', '--shunt2', '1,2,'],
            [click('Form7-RadioButton4')], 4, starShort],
    ];
    for (const [what, args, steps, button, expected] of cases) {
        const page = await openPage(browser, siteDir);
        await setCircuit(page, circuitFromArgs(args));
        await execute(page);
        for (const step of steps) {
            await step(page);
            if (await page.$eval('#vornik-message', (d) => d.open)) {
                await page.click('#vornik-message-ok');
            }
        }
        const drawn = await page.evaluate((b) => ({
            checked: document.getElementById('Form7-RadioButton' + b).checked,
            ops: window.vornikHooks.diagramOps,
            notice: window.vornikHooks.diagramNotice,
            hint: document.getElementById('Form7-Mode1').textContent,
        }), button);
        check(drawn.checked, `${what}: button ${button} is selected`);
        if (typeof expected === 'string') {
            check(drawn.notice === expected && drawn.ops.length === 0, `${what}: one line instead of a picture`,
                JSON.stringify(drawn));
            await page.close();
            continue;
        }
        const ops = carriedOver(runCli(['--json', ...expected, '--diagram', String(button)]).diagram.ops);
        check(JSON.stringify(drawn.ops) === JSON.stringify(ops) && drawn.notice === null,
            `${what}: draws the run's diagram`, drawn.ops === null ? 'not drawn'
                : firstDifference(drawn.ops.map((o) => JSON.stringify(o)), ops.map((o) => JSON.stringify(o))));
        check(drawn.hint === (args.includes('--delta') ? 'Обрыв фазы нагрузки АВ' : 'КЗ фазы А'),
            `${what}: the modes are named for the run's connection`, drawn.hint);
        await page.close();
    }
}
