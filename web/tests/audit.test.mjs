// Audits of the served page: Lighthouse (mobile and desktop presets, simulated throttling) and
// axe-core in the states a student meets.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import lighthouse from 'lighthouse';
import desktopConfig from 'lighthouse/core/config/desktop-config.js';
import { check, circuitFromArgs, siteDir } from './context.mjs';
import { execute, setCircuit } from './page.mjs';
import { startServer } from './server.mjs';

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const runs = 5;
// The least each figure may be (scores) or the most (milliseconds).
const least = { performance: 0.95, accessibility: 1, 'best-practices': 1, seo: 0.95 };
const most = { 'largest-contentful-paint': 2500, 'total-blocking-time': 100 };

// Scores under load on a shared machine vary by a few points from run to run: each figure is
// the median of five runs.
export async function lighthouseScores(browser) {
    const server = await startServer(siteDir);
    for (const [preset, config] of [['mobile', undefined], ['desktop', desktopConfig]]) {
        const figures = {};
        for (let n = 0; n < runs; ++n) {
            const page = await browser.newPage();
            const { lhr } = await lighthouse(server.url + 'index.html', { logLevel: 'error', output: 'json' }, config, page);
            await page.close();
            for (const [name, category] of Object.entries(lhr.categories)) {
                (figures[name] ??= []).push(category.score);
            }
            for (const name of Object.keys(most)) {
                (figures[name] ??= []).push(lhr.audits[name].numericValue);
            }
            const failed = Object.entries(lhr.audits).filter(([, a]) => a.scoreDisplayMode === 'binary' && a.score === 0)
                .map(([name]) => name);
            if (failed.length > 0) {
                console.log(`lighthouse ${preset}: failed audits ${failed.join(', ')}`);
            }
        }
        const shown = Object.entries(figures).map(([name, values]) => `${name} ${Math.round(median(values) * (name in most ? 1 : 100))}`);
        console.log(`lighthouse ${preset} (median of ${runs}): ${shown.join(', ')}`);
        for (const [name, limit] of Object.entries(least)) {
            check(median(figures[name]) >= limit, `lighthouse ${preset}: ${name} at least ${limit * 100}`, JSON.stringify(figures[name]));
        }
        for (const [name, limit] of Object.entries(most)) {
            check(median(figures[name]) <= limit, `lighthouse ${preset}: ${name} at most ${limit} ms`, JSON.stringify(figures[name]));
        }
    }
    await server.close();
}

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// The states to audit, each reached from the fresh page.
const allTicks = ['--r1', '10', '--x1', '5', '--r2', '12', '--r3', '9', '--neutral', '--short', 'A', '--short', 'B',
    '--short', 'C', '--break', 'A', '--break', 'B', '--break', 'C'];
const states = {
    'fresh page': async () => {},
    'after a run with all ticks': async (page) => {
        await setCircuit(page, circuitFromArgs(allTicks));
        await execute(page);
    },
    'the diagram': async (page) => {
        await setCircuit(page, circuitFromArgs(allTicks));
        await execute(page);
        await page.click('#Form7-RadioButton6');
        await page.$eval('#Form7', (e) => e.scrollIntoView());
    },
    'the precision settings open': async (page) => { await page.click('#Form4 > summary'); },
    'the assistant open': async (page) => { await page.click('#Form8 > summary'); },
    'the message dialog open': async (page) => {
        await page.$eval('#Form3-ComboBox1', (e) => { e.value = ''; });
        await page.click('#Form1-SpeedButton1');
        await page.waitForSelector('#vornik-message[open]');
    },
};

export async function axe(browser) {
    const server = await startServer(siteDir);
    for (const viewport of [{ width: 1280, height: 800 }, { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 3 }]) {
        for (const [state, reach] of Object.entries(states)) {
            const page = await browser.newPage();
            await page.setViewport(viewport);
            await page.goto(server.url);
            await page.waitForSelector('body[data-ready="true"]', { timeout: 20000 });
            await reach(page);
            await page.evaluate(axeSource);
            const violations = await page.evaluate(async () => (await globalThis.axe.run(document))
                .violations.map((v) => `${v.id} (${v.nodes.length}): ${v.nodes.slice(0, 3).map((n) => n.target.join(' ')).join(', ')}`));
            check(violations.length === 0, `axe, ${viewport.width} wide, ${state}: no violation`, violations.join('\n     '));
            await page.close();
        }
    }
    await server.close();
}
