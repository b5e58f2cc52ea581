// Starts Debian's chromium headless through puppeteer-core, with a fresh profile and nothing
// that talks to the network.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

export async function launchBrowser() {
    const profile = mkdtempSync(join(tmpdir(), 'vornik-chromium-'));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        headless: true,
        args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
            '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-extensions',
            '--disable-default-apps', '--font-render-hinting=none', `--user-data-dir=${profile}`],
    });
    const close = browser.close.bind(browser);
    browser.close = async () => {
        await close();
        rmSync(profile, { recursive: true, force: true });
    };
    return browser;
}

export function siteUrl(siteDir) {
    return pathToFileURL(resolve(siteDir, 'index.html')).href;
}

// Opens the page and waits until the core is loaded.
export async function openPage(browser, siteDir, viewport = { width: 1280, height: 800 }) {
    const page = await browser.newPage();
    await page.setViewport(viewport);
    await page.goto(siteUrl(siteDir));
    await page.waitForSelector('body[data-ready="true"]', { timeout: 10000 });
    return page;
}
