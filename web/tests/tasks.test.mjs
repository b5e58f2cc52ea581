// Task files on the page: a share link opens (and with &run=1 runs) the task as vornik-cli --task
// does; a bad link or file shows one message and changes nothing; the saved file and the page's
// own link carry the form.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { siteUrl } from './browser.mjs';
import { cliArguments, initialTexts, randomCircuit, readLengths, seededRandom } from './circuits.mjs';
import { check, cli, download, firstDifference, outDir, runCli, siteDir } from './context.mjs';
import { countDialogs, execute, reportLines, setCircuit } from './page.mjs';

const link = (bytes, run) => `${siteUrl(siteDir)}#task=${Buffer.from(bytes).toString('base64url')}${run ? '&run=1' : ''}`;

async function openAt(browser, url) {
    const page = await browser.newPage();
    await countDialogs(page);
    await page.goto(url);
    await page.waitForSelector('body[data-ready="true"]');
    // Opening the fragment's task follows the core's loading in the same task; let it finish.
    await page.evaluate(() => new Promise((r) => setTimeout(r, 50)));
    return page;
}

const formTexts = (page) => page.evaluate(() => globalThis.vornikHooks.fieldTable.fields
    .map((f) => document.getElementById('Form3-' + f.control).value));

const dialogState = (page) => page.evaluate(() => ({
    dialogs: window.vornikDialogs,
    text: document.getElementById('vornik-message-text').textContent,
}));

// The first field whose text is longer than a task file may hold for it, or -1.
const tooLong = (circuit) => circuit.texts.findIndex((t, k) => [...t].length > readLengths[k]);

export async function tasks(browser) {
    const dir = mkdtempSync(join(outDir, 'tasks-'));

    // Links of seeded random circuits run as vornik-cli --task runs the same file.
    const random = seededRandom(19);
    for (let n = 0; n < 14; ++n) {
        const circuit = randomCircuit(random);
        const file = join(dir, `c${n}.vornik`);
        execFileSync(cli, [...cliArguments(circuit).filter((a) => a !== '--json'), '--save-task', file]);
        const expected = runCli(['--task', file, '--json']);
        const page = await openAt(browser, link(readFileSync(file), true));
        const name = `link ${n} (${circuit.star ? 'star' : 'delta'}, ${JSON.stringify(circuit.texts)})`;
        const shown = await dialogState(page);
        const long = tooLong(circuit);
        if (long >= 0) {
            // vornik-cli takes any text; the page refuses one the program would not put there.
            check(shown.dialogs === 1 && shown.text.includes(`длиннее ${readLengths[long]}`), `${name}: too long`,
                shown.text);
            check(JSON.stringify(await formTexts(page)) === JSON.stringify(initialTexts), `${name}: form kept`);
            await page.close();
            continue;
        }
        check(JSON.stringify(await formTexts(page)) === JSON.stringify(circuit.texts), `${name}: fields as stored`);
        if (expected.message === null) {
            const diff = firstDifference(await reportLines(page), expected.report);
            check(diff === '' && expected.report.length > 10, `${name}: report equals vornik-cli --task`, diff);
            check(shown.dialogs === 0, `${name}: no message`);
        } else {
            check(shown.dialogs === 1 && shown.text === expected.message, `${name}: vornik-cli's message`,
                `${shown.dialogs} dialogs, ${JSON.stringify(shown.text)} / ${JSON.stringify(expected.message)}`);
        }
        await page.close();
    }

    // Without &run=1 the link fills the form and runs nothing.
    const quiet = await openAt(browser, link(Buffer.from(
        '{"format":"vornik-task","connection":"delta","fields":{"Edit4":"12","Edit6":"10","Edit8":"10"},'
        + '"ticks":{"CheckBox3":true}}'), false));
    check((await reportLines(quiet)).every((l) => l === '') && (await dialogState(quiet)).dialogs === 0,
        'a link without &run=1 does not run');
    check(await quiet.evaluate(() => document.getElementById('Form3-RadioButton2').checked
        && document.getElementById('Form3-CheckBox3').checked
        && document.getElementById('Form3-Label9').textContent === 'Обрыв фазы нагрузки'),
    'a link sets the connection, the ticks and the captions');
    await quiet.close();

    // Bad tasks: one message each, naming the link or the file, and the form as it was; a link
    // that cannot be read says first that it is damaged and how to get a good one.
    const bad = [
        ['not JSON', Buffer.from('R=10 Ом'), 'не текст JSON'],
        ['not a task', Buffer.from('{"fields":{}}'), 'не файл задачи'],
        ['truncated UTF-8', Buffer.from([...Buffer.from('{"format":"vornik-task","title":"'), 0xd0, 0x22, 0x7d]),
            'не в кодировке UTF-8'],
        ['wrong type', Buffer.from('{"format":"vornik-task","decimals":{"I.mag":"x1"}}'), '«decimals.I.mag»'],
        ['field longer than its limit', Buffer.from('{"format":"vornik-task","fields":{"Edit4":"12345"}}'),
            '«fields.Edit4» длиннее 4'],
        ['nested garbage', Buffer.from('['.repeat(3000)), 'вложенность'],
    ];
    for (const [name, bytes, reason] of bad) {
        const page = await openAt(browser, link(bytes, true));
        const shown = await dialogState(page);
        check(shown.dialogs === 1 && shown.text.startsWith('Ссылка на задачу повреждена') && shown.text.includes('новую ссылку')
            && shown.text.includes('"ссылка на задачу"') && shown.text.includes(reason),
            `bad link (${name}): one message`, `${shown.dialogs} dialogs: ${shown.text}`);
        check(JSON.stringify(await formTexts(page)) === JSON.stringify(initialTexts), `bad link (${name}): form kept`);
        await page.close();
    }
    const notBase64 = await openAt(browser, `${siteUrl(siteDir)}#task=%%%&run=1`);
    check((await dialogState(notBase64)).text.includes('не текст JSON'), 'a fragment that is not base64url');
    await notBase64.close();

    const picker = await openAt(browser, siteUrl(siteDir));
    const huge = join(dir, 'большая.vornik');
    writeFileSync(huge, `{"format":"vornik-task","note":"${'x'.repeat(2 << 20)}"}`);
    const wrong = join(dir, 'wrong.vornik');
    writeFileSync(wrong, '{"format":"vornik-task","ticks":{"CheckBox1":"yes"}}');
    for (const [file, reason] of [[huge, 'больше 1 МиБ'], [wrong, '«ticks.CheckBox1»']]) {
        const before = (await dialogState(picker)).dialogs;
        const [chooser] = await Promise.all([picker.waitForFileChooser(), picker.click('#Form1-OpenTask')]);
        await chooser.accept([file]);
        await picker.waitForFunction((n) => window.vornikDialogs > n, { timeout: 5000 }, before);
        const shown = await dialogState(picker);
        const fileName = file.split('/').pop();
        check(shown.dialogs === before + 1 && shown.text.includes(`"${fileName}"`) && shown.text.includes(reason)
            && !shown.text.includes('Ссылка'), `bad file ${fileName}: one message`, shown.text);
        await picker.click('#vornik-message-ok');
    }
    check(JSON.stringify(await formTexts(picker)) === JSON.stringify(initialTexts), 'bad files: form kept');

    // The saved file and the page's own link give what the page computes.
    const next = seededRandom(7);
    let circuit = randomCircuit(next);
    while (tooLong(circuit) >= 0 || !circuit.texts.every((t) => t !== '')) {
        circuit = randomCircuit(next);
    }
    await setCircuit(picker, circuit);
    const ran = await execute(picker);
    const saved = await download(picker, '#Form1-SaveTask');
    const savedFile = join(dir, 'saved.vornik');
    writeFileSync(savedFile, saved.bytes);
    check(saved.name === 'задача.vornik', 'the download is named after the task', saved.name);
    const fromFile = runCli(['--task', savedFile, '--json']);
    const diff = firstDifference(ran.lines, fromFile.report);
    check(diff === '' && ran.lines.length > 10, 'saved task: vornik-cli --task gives the page report', diff);

    await picker.click('#Form1-ShareTask');
    await picker.waitForFunction(() => document.getElementById('vornik-message').open, { timeout: 5000 });
    await picker.click('#vornik-message-ok');
    const shared = await picker.evaluate(() => globalThis.vornikHooks.shareLink);
    check(/^file:\/\/.*#task=[A-Za-z0-9_-]+$/.test(shared), 'share link: the page address, #task= and base64url', shared);
    check(Buffer.from(shared.split('#task=')[1], 'base64url').equals(saved.bytes), 'share link holds the saved file');
    const opened = await openAt(browser, `${shared}&run=1`);
    const linkDiff = firstDifference(await reportLines(opened), ran.lines);
    check(linkDiff === '', 'share link runs to the same report', linkDiff);
    await opened.close();

    // A task made with the input assistant (a reactance longer than a student can type) goes
    // through a file and a link, on a page without the Clipboard API.
    await picker.$eval('#Form8', (d) => { d.open = true; });
    await picker.evaluate(() => {
        document.getElementById('Form8-Edit3').value = '0';
        document.getElementById('Form8-Edit4').value = '10';
    });
    await picker.click('#Form8-Button3');
    const made = await formTexts(picker);
    const assisted = join(dir, 'assistant.vornik');
    writeFileSync(assisted, (await download(picker, '#Form1-SaveTask')).bytes);
    await picker.evaluate(() => { document.getElementById('Form3-Edit5').value = '0'; });
    const [chooser] = await Promise.all([picker.waitForFileChooser(), picker.click('#Form1-OpenTask')]);
    await chooser.accept([assisted]);
    await picker.waitForFunction(() => document.getElementById('Form3-Edit5').value !== '0', { timeout: 5000 }).catch(() => null);
    check(made[7] === '-318,31' && JSON.stringify(await formTexts(picker)) === JSON.stringify(made),
        'a task made with the assistant reopens from its file', JSON.stringify([made, await formTexts(picker), await dialogState(picker)]));
    await picker.evaluate(() => Object.defineProperty(navigator, 'clipboard', { value: undefined }));
    await picker.click('#Form1-ShareTask');
    await picker.waitForFunction(() => document.getElementById('vornik-message').open, { timeout: 5000 });
    const offered = () => picker.evaluate(() => {
        const field = document.getElementById('vornik-message-field');
        return { value: field.value, shown: !document.getElementById('vornik-message-copy').hidden, readOnly: field.readOnly,
            selected: document.activeElement === field && field.selectionStart === 0 && field.selectionEnd === field.value.length };
    });
    const first = await offered();
    await picker.$eval('#vornik-message-field', (f) => f.setSelectionRange(0, 0));
    await picker.$eval('#vornik-message-select', (b) => b.click());
    const again = await offered();
    const assistedLink = await picker.evaluate(() => globalThis.vornikHooks.shareLink);
    check(first.value === assistedLink && first.shown && first.readOnly && first.selected && again.selected,
        'without the Clipboard API the link is shown selected in a read-only field, "Копировать" selects it',
        JSON.stringify([first, again]));
    await picker.click('#vornik-message-ok');
    const reopened = await openAt(browser, assistedLink);
    check(JSON.stringify(await formTexts(reopened)) === JSON.stringify(made) && (await dialogState(reopened)).dialogs === 0,
        'a task made with the assistant reopens from its link', JSON.stringify(await dialogState(reopened)));
    await reopened.close();
    await picker.close();
    rmSync(dir, { recursive: true, force: true });
}
