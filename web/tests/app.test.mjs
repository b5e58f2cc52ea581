// The page as an installed app: its manifest and icons, the offline copy kept by the service
// worker, a new version replacing the old one, and the size of the site.
import { cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { check, circuitFromArgs, firstDifference, outDir, runCli, siteDir } from './context.mjs';
import { execute, setCircuit } from './page.mjs';
import { startServer } from './server.mjs';

// A fresh context of its own, but not an incognito one: browsers install no app from those.
async function openServed(browser, url) {
    const context = browser.defaultBrowserContext();
    const page = await context.newPage();
    await page.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 3 });
    await page.goto(url);
    await page.waitForSelector('body[data-ready="true"]', { timeout: 20000 });
    return { context, page };
}

// Resolves once the worker controls the page and its cache holds the site.
const offlineReady = (page) => page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    if (!navigator.serviceWorker.controller) {
        await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
    }
    const names = await caches.keys();
    const cache = await caches.open(names[0]);
    return { names, urls: (await cache.keys()).map((r) => new URL(r.url).pathname) };
});

const pngSize = (bytes) => [bytes.readUInt32BE(16), bytes.readUInt32BE(20)];

// The manifest, its icons and the browser's own installability verdict.
export async function installable(browser) {
    const server = await startServer(siteDir);
    const { context, page } = await openServed(browser, server.url);
    const manifest = JSON.parse(readFileSync(join(siteDir, 'manifest.webmanifest'), 'utf8'));
    const icon = (purpose, size) => manifest.icons.find((i) => i.purpose === purpose && i.sizes === `${size}x${size}`);
    const iconFits = (entry, size) => entry !== undefined &&
        JSON.stringify(pngSize(readFileSync(join(siteDir, entry.src)))) === JSON.stringify([size, size]);
    const cases = [
        ['Russian name', /[а-яё]/i.test(manifest.name)],
        ['short name', typeof manifest.short_name === 'string' && manifest.short_name.length > 0 && manifest.short_name.length <= 12],
        ['lang ru', manifest.lang === 'ru'],
        ['standalone', manifest.display === 'standalone'],
        ['relative start_url', typeof manifest.start_url === 'string' && !/^(\/|[a-z]+:)/.test(manifest.start_url)],
        ['colours', /^#[0-9a-f]{6}$/i.test(manifest.theme_color) && /^#[0-9a-f]{6}$/i.test(manifest.background_color)],
        ['icon 192', iconFits(icon('any', 192), 192)],
        ['icon 512', iconFits(icon('any', 512), 512)],
        ['maskable icon', iconFits(icon('maskable', 512), 512)],
    ];
    for (const [what, ok] of cases) {
        check(ok, `manifest: ${what}`, JSON.stringify(manifest));
    }
    await offlineReady(page);
    const cdp = await page.createCDPSession();
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    check(installabilityErrors.length === 0, 'the browser finds the page installable', JSON.stringify(installabilityErrors));
    const { url, errors } = await cdp.send('Page.getAppManifest');
    check(url.endsWith('/manifest.webmanifest') && errors.length === 0, 'the page names its manifest', JSON.stringify({ url, errors }));
    await page.close();
    await server.close();
}

// Load once over http, take the server down, reload and start cold: the page runs a circuit
// and its report is vornik-cli's.
export async function offlineCopy(browser) {
    const server = await startServer(siteDir);
    const { context, page } = await openServed(browser, server.url);
    const { urls } = await offlineReady(page);
    const site = readdirSync(siteDir).filter((f) => f !== 'robots.txt' && f !== 'sw.js');
    check(site.every((f) => urls.includes('/' + f)) && urls.includes('/'), 'the offline copy holds every file of the site',
        JSON.stringify(urls));
    server.down();
    const args = ['--r1', '10', '--x1', '5', '--r2', '12', '--r3', '9', '--neutral', '--short', 'B'];
    const expected = runCli(['--json', ...args]).report;
    const before = server.requests.length;
    // One page at a time: a page in the background draws no frames, which clicks wait for.
    const open = {
        reload: async () => { await page.reload().catch(() => null); return page; },
        'cold start': async () => {
            await page.close();
            const cold = await context.newPage();
            await cold.goto(server.url + '?task').catch(() => null);
            return cold;
        },
    };
    let p = page;
    for (const [what, load] of Object.entries(open)) {
        p = await load();
        const ready = await p.waitForSelector('body[data-ready="true"]', { timeout: 10000 }).then(() => true, () => false);
        if (!ready) {
            check(false, `offline ${what}: the page starts`);
            continue;
        }
        await setCircuit(p, circuitFromArgs(args));
        const got = await execute(p);
        check(firstDifference(got.lines, expected) === '' && got.message === null, `offline ${what}: the report of vornik-cli`,
            firstDifference(got.lines, expected));
    }
    check(server.requests.length === before, 'offline: nothing reached the server', JSON.stringify(server.requests.slice(before)));
    await p.close();
    await server.close();
}

// A new version on the server: the open page looks for it when it comes back into view (and on
// each load) and offers "Доступна новая версия — обновить" while the old version keeps working;
// taking it reloads the page as the new version with the form's texts, also offline afterwards.
export async function newVersion(browser) {
    const root = mkdtempSync(join(outDir, 'versions-'));
    const [first, second] = ['1', '2'].map((v) => join(root, v));
    cpSync(siteDir, first, { recursive: true });
    cpSync(siteDir, second, { recursive: true });
    const index = join(second, 'index.html');
    writeFileSync(index, readFileSync(index, 'utf8').replace('<body', '<body data-version="second"'));
    const worker = join(second, 'sw.js');
    writeFileSync(worker, readFileSync(worker, 'utf8').replace(/const version = '(\w+)'/, "const version = '$1-second'"));
    let served = first;
    const server = await startServer(() => served);
    const { context, page } = await openServed(browser, server.url);
    const { names: before } = await offlineReady(page);
    const offered = () => page.waitForFunction(() => !document.getElementById('vornik-update').hidden, { timeout: 20000 })
        .then(() => true, () => false);
    check(!await page.waitForFunction(() => !document.getElementById('vornik-update').hidden, { timeout: 1000 })
        .then(() => true, () => false), 'no update offered while the site is unchanged');
    // The checks the page made on loading are over before the site changes.
    await page.evaluate(async () => (await navigator.serviceWorker.ready).update());
    served = second;
    // The page goes out of view behind another tab and comes back.
    const other = await context.newPage();
    await other.bringToFront();
    await page.bringToFront();
    await other.close();
    if (!await offered()) {
        check(false, 'coming back into view, the page offers the new version');
        await page.close();
        await server.close();
        return;
    }
    const kept = await page.evaluate(async (old) => ({
        version: document.body.dataset.version ?? null,
        controller: navigator.serviceWorker.controller?.scriptURL ?? null,
        cached: (await caches.keys()).includes(old),
        text: document.getElementById('vornik-update-button').textContent,
    }), before[0]);
    check(kept.version === null && kept.cached && kept.text === 'Доступна новая версия — обновить',
        'until the student takes it, the old version stays', JSON.stringify(kept));
    await page.$eval('#Form3-Edit4', (e) => { e.value = '77'; });
    await Promise.all([page.waitForNavigation({ timeout: 20000 }).catch(() => null), page.click('#vornik-update-button')]);
    await page.waitForSelector('body[data-ready="true"]', { timeout: 20000 });
    await page.evaluate(() => new Promise((r) => setTimeout(r, 100)));
    const after = await page.evaluate(() => ({ version: document.body.dataset.version, r1: document.getElementById('Form3-Edit4').value }));
    check(after.version === 'second' && after.r1 === '77', 'taking the update reloads the new version with the form\'s texts',
        JSON.stringify(after));
    const replaced = await page.waitForFunction(async (old) => {
        const names = await caches.keys();
        return names.length === 1 && names[0] !== old;
    }, { timeout: 20000 }, before[0]).then(() => true, () => false);
    check(replaced, 'the new version replaces the cache', JSON.stringify(await page.evaluate(() => caches.keys())));
    server.down();
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]', { timeout: 20000 });
    check(await page.$eval('body', (b) => b.dataset.version) === 'second', 'offline, the page is the new version');
    await page.close();
    await server.close();
    rmSync(root, { recursive: true, force: true });
}

// The whole site fits in 1 MB, and in 200 KB as a server sends it with gzip.
export async function siteSize() {
    let bytes = 0;
    let gzipped = 0;
    for (const file of readdirSync(siteDir)) {
        const data = readFileSync(join(siteDir, file));
        bytes += statSync(join(siteDir, file)).size;
        gzipped += Math.min(data.length, gzipSync(data, { level: 9 }).length);
    }
    console.log(`site: ${bytes} bytes, ${gzipped} bytes with gzip`);
    check(bytes <= 1024 * 1024, 'site at most 1 MB', `${bytes} bytes`);
    check(gzipped <= 200 * 1024, 'site at most 200 KB with gzip', `${gzipped} bytes`);
}

// The page's help: reached from the title bar, laid out for a phone, and telling how to install
// the page and use it offline; the files it names are the ones the page saves.
export async function helpPage(browser) {
    const server = await startServer(siteDir);
    const { page } = await openServed(browser, server.url);
    const href = await page.$eval('.bar a', (a) => a.getAttribute('href'));
    await page.goto(new URL(href, server.url).href);
    const help = await page.evaluate(() => ({
        viewport: document.querySelector('meta[name=viewport]')?.content ?? '',
        overflow: document.documentElement.scrollWidth - innerWidth,
        sections: [...document.querySelectorAll('h2[id]')].map((h) => h.id),
        text: document.body.textContent,
        back: document.querySelector('a[href="index.html"]') !== null,
    }));
    await page.setViewport({ width: 320, height: 640, isMobile: true, hasTouch: true });
    const narrow = await page.evaluate(() => document.documentElement.scrollWidth - innerWidth);
    const cases = [
        ['is the page\'s own help', href === 'help.html'],
        ['has a phone viewport', /width=device-width/.test(help.viewport)],
        ['fits a 390 and a 320 px screen', help.overflow <= 0 && narrow <= 0],
        ['covers the form, the solution, the diagram, installing and offline use',
            ['form', 'results', 'diagram', 'install', 'offline'].every((id) => help.sections.includes(id))],
        ['names the saved files as the page does', ['vornik-star.rtf', 'vornik-delta.rtf', 'vornik-star-normal-U.png']
            .every((name) => help.text.includes(name))],
        ['leads back to the page', help.back],
    ];
    for (const [what, ok] of cases) {
        check(ok, `help: ${what}`, JSON.stringify({ href, ...help, text: undefined }));
    }
    await page.close();
    await server.close();
}
