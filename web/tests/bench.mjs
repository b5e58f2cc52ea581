// Benchmark of the web edition (not a test): node bench.mjs SITE_DIR
// Prints the median time from navigation to an interactive form (core loaded, execute enabled)
// from file://, the median time of one execute with all six emergency modes until the report is
// laid out, Lighthouse's performance figures of the served page (score, largest contentful paint,
// total blocking time; mobile and desktop presets, simulated throttling) with the machine's load
// average, and the size of the site.
import { readdirSync, statSync } from 'node:fs';
import { loadavg } from 'node:os';
import { join, resolve } from 'node:path';
import lighthouse from 'lighthouse';
import desktopConfig from 'lighthouse/core/config/desktop-config.js';
import { launchBrowser, siteUrl } from './browser.mjs';
import { startServer } from './server.mjs';

const siteDir = resolve(process.argv[2] ?? 'build-web/site');
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const browser = await launchBrowser();
const loads = [];
for (let n = 0; n < 21; ++n) {
    const page = await browser.newPage();
    await page.goto(siteUrl(siteDir));
    await page.waitForSelector('body[data-ready="true"]');
    loads.push(Number(await page.$eval('body', (b) => b.dataset.readyAt)));
    await page.close();
}
// The first load also reads the files from disk; the median is over all of them.
const page = await browser.newPage();
await page.goto(siteUrl(siteDir));
await page.waitForSelector('body[data-ready="true"]');
const runs = await page.evaluate(() => {
    const $ = (id) => document.getElementById(id);
    ['Edit4', 'Edit6', 'Edit8'].forEach((f, k) => { $('Form3-' + f).value = String(10 + k); });
    for (let k = 2; k <= 7; ++k) {
        $('Form3-CheckBox' + k).checked = true;
    }
    const times = [];
    const handler = [];
    for (let n = 0; n < 101; ++n) {
        const start = performance.now();
        $('Form1-SpeedButton1').click();
        handler.push(performance.now() - start);
        // Layout of the new report is part of showing it.
        void $('Form2-RichEdit1').scrollHeight;
        times.push(performance.now() - start);
    }
    return { times, handler, lines: $('Form2-RichEdit1').children.length };
});

// Lighthouse scales the main-thread time it measures, so its figures follow the machine's load:
// each is the median of five runs, printed with the load average before and after.
const lighthouseRuns = 5;
const server = await startServer(siteDir);
const lighthouseLines = [];
for (const [preset, config] of [['mobile', undefined], ['desktop', desktopConfig]]) {
    const load = loadavg()[0];
    const figures = { score: [], paint: [], blocking: [] };
    for (let n = 0; n < lighthouseRuns; ++n) {
        const lhPage = await browser.newPage();
        const { lhr } = await lighthouse(server.url + 'index.html',
            { logLevel: 'error', output: 'json', onlyCategories: ['performance'] }, config, lhPage);
        await lhPage.close();
        figures.score.push(lhr.categories.performance.score * 100);
        figures.paint.push(lhr.audits['largest-contentful-paint'].numericValue);
        figures.blocking.push(lhr.audits['total-blocking-time'].numericValue);
    }
    lighthouseLines.push(`lighthouse ${preset} (median of ${lighthouseRuns}, load average ${load.toFixed(1)} to ` +
        `${loadavg()[0].toFixed(1)}): performance ${Math.round(median(figures.score))}, largest contentful paint ` +
        `${Math.round(median(figures.paint))} ms, total blocking time ${Math.round(median(figures.blocking))} ms ` +
        `(from ${Math.round(Math.min(...figures.blocking))} to ${Math.round(Math.max(...figures.blocking))} ms)`);
}
await server.close();
await browser.close();

let bytes = 0;
for (const file of readdirSync(siteDir)) {
    bytes += statSync(join(siteDir, file)).size;
}
console.log(`navigation to interactive form (file://, ${loads.length} loads): median ${median(loads).toFixed(1)} ms, ` +
    `min ${Math.min(...loads).toFixed(1)} ms, max ${Math.max(...loads).toFixed(1)} ms`);
console.log(`execute with all six emergency modes (${runs.lines} report lines, ${runs.times.length} runs): ` +
    `median ${median(runs.times).toFixed(2)} ms (of it the command itself ${median(runs.handler).toFixed(2)} ms, ` +
    `the rest the layout of the report), max ${Math.max(...runs.times).toFixed(2)} ms`);
lighthouseLines.forEach((line) => console.log(line));
console.log(`site: ${bytes} bytes in ${readdirSync(siteDir).length} files`);
