// The page as a site: offline from a file, from a web server, on a phone and a desktop.
import { existsSync, readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { basename, extname, join } from 'node:path';
import { openPage } from './browser.mjs';
import { check, circuitFromArgs, firstDifference, outDir, runCli, siteDir } from './context.mjs';
import { execute, setCircuit } from './page.mjs';

// Opened as a file, the page asks the network for nothing and logs no error.
export async function offline(browser) {
    const page = await browser.newPage();
    const requests = [];
    const errors = [];
    page.on('request', (r) => requests.push(r.url()));
    page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
    page.on('pageerror', (e) => errors.push(e.message));
    await page.goto(new URL('index.html', 'file://' + siteDir + '/').href);
    await page.waitForSelector('body[data-ready="true"]');
    await setCircuit(page, circuitFromArgs(['--r1', '10', '--r2', '10', '--r3', '10', '--short', 'A', '--break', 'C']));
    await execute(page);
    await page.click('#Form7-RadioButton4');
    await page.$eval('#Form4', (d) => { d.open = true; });
    await page.$eval('#Form8', (d) => { d.open = true; });
    await page.click('#Form8-Button1');
    await page.mouse.move(10, 10);
    const network = requests.filter((u) => !u.startsWith('file:') && !u.startsWith('data:'));
    check(requests.length > 0 && network.length === 0, 'no network request', JSON.stringify(network));
    check(errors.length === 0, 'no console error', JSON.stringify(errors));
    await page.close();
}

// From a plain static web server the page works the same.
export async function served(browser) {
    const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.svg': 'image/svg+xml', '.htm': 'text/html' };
    const server = createServer((request, response) => {
        const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname).replace(/^\/+/, '') || 'index.html';
        const file = join(siteDir, basename(name));
        if (!existsSync(file)) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' });
        response.end(readFileSync(file));
    });
    await new Promise((r) => server.listen(0, '127.0.0.1', r));
    const page = await browser.newPage();
    const errors = [];
    page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
    page.on('pageerror', (e) => errors.push(e.message));
    await page.goto(`http://127.0.0.1:${server.address().port}/index.html`);
    await page.waitForSelector('body[data-ready="true"]', { timeout: 10000 });
    const args = ['--r1', '10', '--r2', '10', '--r3', '10', '--delta', '--open', 'AB'];
    await setCircuit(page, circuitFromArgs(args));
    const got = await execute(page);
    check(firstDifference(got.lines, runCli(['--json', ...args]).report) === '' && errors.length === 0,
        'served over http: the same report, no console error', JSON.stringify(errors));
    await page.close();
    server.close();
}

// The cursor read-out in pixels of the picture, also when the canvas is shown smaller.
export async function readout(browser) {
    for (const viewport of [{ width: 1280, height: 800 }, { width: 360, height: 740, isMobile: true, hasTouch: true }]) {
        const page = await openPage(browser, siteDir, viewport);
        const box = await (await page.$('#Form7-Image1')).boxModel();
        const scale = box.content[1].x - box.content[0].x;
        await page.$eval('#Form7-Image1', (e) => e.scrollIntoView());
        const at = await (await page.$('#Form7-Image1')).boxModel();
        await page.mouse.move(at.content[0].x + (150.5 * scale) / 400, at.content[0].y + (60.5 * scale) / 400);
        const shown = await page.evaluate(() => [6, 7, 9, 10].map((k) => document.getElementById('Form7-Label' + k).textContent));
        check(JSON.stringify(shown) === JSON.stringify(['150', '60', '140', '50']), `${viewport.width} wide: read-out at (150, 60)`,
            JSON.stringify(shown));
        if (viewport.hasTouch) {
            await page.touchscreen.tap(at.content[0].x + (30.5 * scale) / 400, at.content[0].y + (40.5 * scale) / 400);
            const tapped = await page.evaluate(() => [6, 7].map((k) => document.getElementById('Form7-Label' + k).textContent));
            check(JSON.stringify(tapped) === JSON.stringify(['30', '40']), 'a tap on a phone shows its place', JSON.stringify(tapped));
        }
        const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
        check(overflow <= 0, `${viewport.width} wide: nothing wider than the screen`, `${overflow} pixels too wide`);
        await page.close();
    }
}

// Screenshots for a look at a desktop and a phone.
export async function screenshots(browser) {
    for (const [width, height] of [[1280, 800], [390, 844]]) {
        const page = await openPage(browser, siteDir, { width, height, isMobile: width < 500, hasTouch: width < 500 });
        await setCircuit(page, circuitFromArgs(['--r1', '10', '--x1', '5', '--r2', '12', '--r3', '9', '--x3', '-4',
            '--neutral', '--short', 'A', '--break', 'B']));
        await execute(page);
        await page.screenshot({ path: join(outDir, `page-${width}x${height}.png`) });
        await page.$eval('#Form7', (e) => e.scrollIntoView());
        await page.screenshot({ path: join(outDir, `page-${width}x${height}-diagram.png`) });
        await page.$eval('#Form4', (d) => { d.open = true; });
        await page.$eval('#Form8', (d) => { d.open = true; });
        await page.$eval('#Form4', (e) => e.scrollIntoView());
        await page.screenshot({ path: join(outDir, `page-${width}x${height}-settings.png`) });
        await page.$eval('#Form8', (e) => e.scrollIntoView());
        await page.screenshot({ path: join(outDir, `page-${width}x${height}-assistant.png`) });
        const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
        check(overflow <= 0, `${width} x ${height}: nothing wider than the screen`, `${overflow} pixels too wide`);
        await page.close();
    }
}
