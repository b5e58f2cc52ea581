// The web edition's tests in a real browser: node run.mjs SITE_DIR VORNIK_CLI OUT_DIR
// Runs every group (or those named in VORNIK_WEB_TESTS, comma-separated); each failed check is
// printed, and the exit status is 1 when any failed.
import * as app from './app.test.mjs';
import * as audit from './audit.test.mjs';
import { launchBrowser, openPage } from './browser.mjs';
import * as check from './check.test.mjs';
import { useFieldTable } from './circuits.mjs';
import { record, siteDir } from './context.mjs';
import * as diagram from './diagram.test.mjs';
import * as files from './files.test.mjs';
import * as form from './form.test.mjs';
import * as phone from './phone.test.mjs';
import * as reports from './reports.test.mjs';
import * as site from './site.test.mjs';
import * as tasks from './tasks.test.mjs';

const groups = { ...reports, ...diagram, ...files, ...form, ...site, ...phone, ...app, ...audit, ...tasks, ...check };
const only = process.env.VORNIK_WEB_TESTS?.split(',');

const browser = await launchBrowser();
try {
    // The fields, their options and initial texts as the page's core has them.
    const tablePage = await openPage(browser, siteDir);
    useFieldTable(await tablePage.evaluate(() => globalThis.vornikHooks.fieldTable));
    await tablePage.close();
    for (const [name, group] of Object.entries(groups)) {
        if (only && !only.includes(name)) {
            continue;
        }
        const before = record.failures;
        await group(browser);
        console.log(`${record.failures === before ? 'ok  ' : 'FAIL'} ${name}`);
    }
} finally {
    await browser.close();
}
console.log(`${record.checks} checks, ${record.failures} failed`);
process.exit(record.failures ? 1 : 0);
