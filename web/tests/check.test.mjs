// "Проверить себя" on the page, end to end: a task link with &check=1 opens the answer sheet;
// answers typed as a student would (one right, one a named mistake, one unreadable) are marked
// with icon and words, and vornik-cli --check gives the same verdict for every quantity of the
// answers file the page saves; a step shown next to a wrong answer is that section of the worked
// solution; a reload keeps the answers, the marks and the step; the whole solution shown is
// recorded; a random task draws its fields from the ranges.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { siteUrl } from './browser.mjs';
import { check, cli, download, firstDifference, outDir, runCli, siteDir } from './context.mjs';
import { reportLines } from './page.mjs';

// What the page shows at each quantity: its field's text, the mark's kind (the class beside
// "mark": right, carried, mistake, wrong, missing, unreadable) and its words.
const shownMarks = (page) => page.$$eval('#Check-Sheet .check-row', (rows) => rows.map((row) => {
    const input = row.querySelector('input');
    const mark = row.querySelector('.mark');
    return { id: input.id, value: input.value, inputMode: input.inputMode,
        kind: mark.className.replace('mark', '').trim(), words: mark.textContent };
}));

// The kind of mark the page must show for one of vornik-cli's answers.
const kindOf = (a) => (a.verdict === 'missing' && a.hint ? 'unreadable' : a.verdict);
const comma = (x, decimals) => x.toFixed(decimals).replace('.', ',');

async function openChecking(browser, url) {
    const page = await browser.newPage();
    await page.goto(url);
    await page.waitForSelector('body[data-ready="true"]');
    await page.waitForSelector('#Check:not([hidden]) #Check-Sheet input', { timeout: 5000 }).catch(() => null);
    return page;
}

export async function selfCheck(browser) {
    const dir = mkdtempSync(join(outDir, 'check-'));
    // A star with its neutral wire and a short circuit of phase A: two modes to answer.
    const taskFile = join(dir, 'task.vornik');
    execFileSync(cli, ['--r1', '10', '--x1', '5', '--r2', '12', '--r3', '8', '--x3', '-4', '--neutral', '--short', 'A',
        '--save-task', taskFile]);
    const solution = runCli(['--task', taskFile, '--json']).report;
    // The key as vornik-cli marks an empty answer table: every quantity, with its expected value.
    const emptyAnswers = join(dir, 'empty.csv');
    writeFileSync(emptyAnswers, 'mode,quantity,answer\n');
    const key = runCli(['--task', taskFile, '--check', emptyAnswers, '--json']).answers;
    const expected = (quantity) => key.find((a) => a.mode === 'normal' && a.quantity === quantity).expected;

    const url = `${siteUrl(siteDir)}#task=${readFileSync(taskFile).toString('base64url')}&check=1`;
    const page = await openChecking(browser, url);
    const state = await page.evaluate(() => ({
        shown: !document.getElementById('Check').hidden,
        pressed: document.getElementById('Check-Start').getAttribute('aria-pressed'),
        locked: document.getElementById('Form3').inert,
        solutionHidden: getComputedStyle(document.getElementById('Form2')).display === 'none',
        // This window is narrow: the sheet comes under the form, not over it.
        below: document.getElementById('Check').getBoundingClientRect().top
            >= document.getElementById('Form3').getBoundingClientRect().bottom,
        modes: [...document.querySelectorAll('#Check-Sheet legend')].map((l) => l.textContent),
    }));
    check(state.shown && state.pressed === 'true' && state.locked && state.solutionHidden && state.below
        && state.modes.length === 2,
        'a link with &check=1 opens the sheet of both modes, the form locked and the solution hidden', JSON.stringify(state));
    const sheet = await shownMarks(page);
    check(sheet.length === key.length && sheet.every((s, k) => s.id === `Check-${key[k].mode}-${key[k].quantity}`),
        'the sheet asks every quantity of vornik-cli\'s key, in its order', JSON.stringify(sheet.map((s) => s.id)));
    const modeOf = (id) => sheet.find((s) => s.id === id)?.inputMode;
    check(modeOf('Check-normal-IaMod') === 'decimal' && modeOf('Check-normal-IaArg') === 'text'
        && modeOf('Check-normal-QTotal') === 'text', 'the decimal keyboard only for values that cannot be negative',
    JSON.stringify(sheet.map((s) => [s.id, s.inputMode])));

    // One right, one line voltage taken for phase voltage, one unreadable.
    const typed = {
        'Check-normal-IaMod': comma(expected('IaMod'), 2),
        'Check-normal-IbMod': comma(expected('IbMod') / Math.sqrt(3), 2),
        'Check-normal-IcMod': '1,2abc',
    };
    for (const [id, text] of Object.entries(typed)) {
        await page.type(`#${id}`, text);
    }
    await page.click('#Check-Mark');
    const marked = await shownMarks(page);
    const status = await page.waitForFunction(() => document.getElementById('Check-Status').textContent, { timeout: 2000 })
        .then((h) => h.jsonValue(), () => '');
    check(/^Проверено\. Засчитано 1 из \d+\.$/.test(status), 'the score is announced in the live region', status);
    const at = (id) => marked.find((m) => m.id === id);
    check(at('Check-normal-IaMod').kind === 'right' && at('Check-normal-IaMod').words.includes('✓ верно'),
        'a right answer: icon and "верно"', JSON.stringify(at('Check-normal-IaMod')));
    check(at('Check-normal-IbMod').kind === 'mistake'
        && at('Check-normal-IbMod').words.startsWith('✗ типичная ошибка: линейное напряжение вместо фазного'),
    'line voltage for phase voltage is named', JSON.stringify(at('Check-normal-IbMod')));
    check(at('Check-normal-IcMod').kind === 'unreadable' && at('Check-normal-IcMod').words.includes('Ожидалось'),
        'an unreadable answer gets the hint, not a mark', JSON.stringify(at('Check-normal-IcMod')));

    // "Показать шаг N" beside the mistake shows exactly that section of the worked solution.
    const stepButton = await page.$eval('#Check-normal-IbMod-step', (b) => b.textContent).catch(() => null);
    const section = stepButton?.match(/^Показать шаг (\d+)$/)?.[1];
    check(section !== undefined && (await page.$('#Check-normal-IaMod-step')) === null,
        'a step is offered beside the wrong answer only', stepButton);
    await page.click('#Check-normal-IbMod-step');
    const stepLines = await page.$$eval(`#Check-normal-step-${section} > div`,
        (lines) => lines.map((l) => (l.textContent === '\u00a0' ? '' : l.textContent)));
    const start = solution.findIndex((line) => line.startsWith(`${section}. `));
    const diff = firstDifference(stepLines, solution.slice(start, start + stepLines.length));
    check(start >= 0 && stepLines.length > 2 && diff === '' && stepLines.slice(1).every((l) => !/^\d+\. /.test(l)),
        `step ${section}: that section of vornik-cli's solution`, diff || JSON.stringify(stepLines));

    // The answers file the page saves: vornik-cli --check marks it quantity by quantity as the page did.
    const saved = await download(page, '#Check-SaveAnswers');
    const answersFile = join(dir, 'answers.vornik-answers');
    writeFileSync(answersFile, saved.bytes);
    const stored = JSON.parse(saved.bytes.toString('utf8'));
    check(saved.name.endsWith('.vornik-answers') && stored.format === 'vornik-answers'
        && stored.revealed.sections.some((s) => s.mode === 'normal' && s.section === section) && !stored.revealed.solution,
    'the answers file records the step shown', saved.bytes.toString('utf8').slice(0, 400));
    const cliMarks = runCli(['--check', answersFile, '--json']);
    const differing = cliMarks.answers.filter((a, k) => {
        const m = marked[k];
        return !m || m.id !== `Check-${a.mode}-${a.quantity}` || m.kind !== kindOf(a)
            || (a.mistakeName && !m.words.includes(a.mistakeName)) || (a.hint && !m.words.includes(a.hint));
    });
    check(cliMarks.answers.length === marked.length && differing.length === 0,
        'vornik-cli --check gives the page\'s verdict for every quantity', JSON.stringify(differing.slice(0, 3)));

    // A reload brings back the sheet, the answers, the marks and the step shown.
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    await page.waitForSelector(`#Check-normal-step-${section}`, { timeout: 5000 }).catch(() => null);
    const again = await shownMarks(page);
    check(JSON.stringify(again) === JSON.stringify(marked) && (await page.$(`#Check-normal-step-${section}`)) !== null,
        'a reload keeps the answers, their marks and the step shown', firstDifference(again.map(JSON.stringify),
            marked.map(JSON.stringify)));

    // "Показать решение": the worked solution appears, and the answers record it.
    await page.click('#Check-ShowSolution');
    const shownSolution = await reportLines(page);
    // The run brings the solution into view under the title bar that stays on screen (this
    // window is narrow): the save button is brought back first.
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => setTimeout(r, 50))));
    await page.$eval('#Check-SaveAnswers', (b) => b.scrollIntoView({ block: 'center' }));
    const revealed = JSON.parse((await download(page, '#Check-SaveAnswers')).bytes.toString('utf8')).revealed;
    check(firstDifference(shownSolution, solution) === '' && revealed.solution === true
        && await page.$eval('#Form2', (e) => getComputedStyle(e).display !== 'none'),
    '"Показать решение" shows the solution and the answers record it', JSON.stringify(revealed));

    // "Случайная задача": the form's task with the ranges' fields drawn, its sheet fresh.
    await page.$eval('#Check-Ranges', (e) => { e.value = 'r1=20..24/2 x2=-3..-1'; });
    await page.click('#Check-Random');
    const drawn = await page.evaluate(() => ({
        r1: document.getElementById('Form3-Edit4').value,
        x2: document.getElementById('Form3-Edit7').value,
        r2: document.getElementById('Form3-Edit6').value,
        ia: document.getElementById('Check-normal-IaMod')?.value,
        modes: document.querySelectorAll('#Check-Sheet legend').length,
    }));
    check(['20', '22', '24'].includes(drawn.r1) && ['-3', '-2', '-1'].includes(drawn.x2) && drawn.r2 === '12'
        && drawn.ia === '' && drawn.modes === 2, 'a random task draws the ranges\' fields into the form', JSON.stringify(drawn));
    // Ended, the check leaves the next page of the other tests as it was.
    await page.click('#Check-Stop');
    check(await page.evaluate(() => document.getElementById('Check').hidden && !document.getElementById('Form3').inert),
        '"Закончить проверку" unlocks the form');
    // A kept session that is no task (another version's, or damaged) is dropped quietly.
    await page.evaluate(() => localStorage.setItem('vornik-check', JSON.stringify({ active: true, answers: 5,
        taskText: '{"format":"vornik-task","ticks":{"CheckBox1":"yes"}}' })));
    await page.goto(siteUrl(siteDir));
    await page.waitForSelector('body[data-ready="true"]');
    check(await page.evaluate(() => document.getElementById('Check').hidden && !document.getElementById('vornik-message').open
        && !document.getElementById('Form3').inert), 'a damaged kept session leaves the page as it starts');
    await page.evaluate(() => localStorage.clear());
    await page.close();
    rmSync(dir, { recursive: true, force: true });
}
