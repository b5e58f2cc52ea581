// The worked solution of the page against vornik-cli's.
import { openPage } from './browser.mjs';
import { cliArguments, randomCircuit, seededRandom } from './circuits.mjs';
import { check, firstDifference, runCli, siteDir } from './context.mjs';
import { countDialogs, execute, setCircuit } from './page.mjs';

// The worked solution and the message of random circuits equal vornik-cli's.
export async function reports(browser) {
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
}
