// Audits of the served page: Lighthouse's accessibility, best practices and SEO (mobile and
// desktop presets) and axe-core in the states a student meets.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import lighthouse from 'lighthouse';
import desktopConfig from 'lighthouse/core/config/desktop-config.js';
import { check, circuitFromArgs, siteDir } from './context.mjs';
import { execute, setCircuit } from './page.mjs';
import { startServer } from './server.mjs';

// The least each score may be. Speed (performance, largest paint, blocking time) follows the
// machine's load and is measured by bench.mjs, not gated here; these scores do not depend on it,
// so one run of each preset is enough.
const least = { accessibility: 1, 'best-practices': 1, seo: 0.95 };

export async function lighthouseScores(browser) {
    const server = await startServer(siteDir);
    for (const [preset, config] of [['mobile', undefined], ['desktop', desktopConfig]]) {
        const page = await browser.newPage();
        const { lhr } = await lighthouse(server.url + 'index.html',
            { logLevel: 'error', output: 'json', onlyCategories: Object.keys(least) }, config, page);
        await page.close();
        const failed = Object.entries(lhr.audits).filter(([, a]) => a.scoreDisplayMode === 'binary' && a.score === 0)
            .map(([name]) => name);
        console.log(`lighthouse ${preset}: ${Object.entries(lhr.categories).map(([name, c]) => `${name} ${Math.round(c.score * 100)}`)
            .join(', ')}${failed.length > 0 ? `; failed audits ${failed.join(', ')}` : ''}`);
        for (const [name, limit] of Object.entries(least)) {
            const score = lhr.categories[name]?.score ?? 0;
            check(score >= limit, `lighthouse ${preset}: ${name} at least ${limit * 100}`, String(score));
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
    'the self-check marked, a step shown': async (page) => {
        await setCircuit(page, circuitFromArgs(allTicks));
        await page.click('#Check-Start');
        await page.type('#Check-normal-IaMod', '1');
        await page.type('#Check-normal-IbMod', 'x');
        await page.click('#Check-Mark');
        await page.click('#Check-normal-IaMod-step');
    },
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
            // A self-check left open would come back on the next page of this origin.
            await page.evaluate(() => localStorage.clear());
            await page.close();
        }
    }
    await server.close();
}
