// The web edition's tests in a real browser: node run.mjs SITE_DIR VORNIK_CLI OUT_DIR
// Each group prints its checks; the exit status is 1 when any check failed.
import { execFileSync } from 'node:child_process';
import { mkdirSync } from 'node:fs';
import { launchBrowser, openPage } from './browser.mjs';
import { cliArguments, randomCircuit, seededRandom } from './circuits.mjs';
import { countDialogs, execute, setCircuit } from './page.mjs';

const [siteDir, cli, outDir] = process.argv.slice(2);
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
    },
};

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
