// What every group of the browser tests shares: the folders and programs under test, the check
// record, vornik-cli's answers and the downloads of the page.
import { execFileSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { defaultPrecision, fieldOptions, initialTexts } from './circuits.mjs';

// node run.mjs SITE_DIR VORNIK_CLI OUT_DIR
export const [siteDir, cli, outDir] = process.argv.slice(2).map((a) => resolve(a));
mkdirSync(outDir, { recursive: true });

export const record = { checks: 0, failures: 0 };

export function check(ok, what, detail = '') {
    record.checks += 1;
    if (!ok) {
        record.failures += 1;
        console.log(`FAIL ${what}${detail ? '\n     ' + detail : ''}`);
    }
}

export function runCli(args) {
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

export function firstDifference(a, b) {
    for (let k = 0; k < Math.max(a.length, b.length); ++k) {
        if (a[k] !== b[k]) {
            return `line ${k + 1}: page ${JSON.stringify(a[k])} / cli ${JSON.stringify(b[k])}`;
        }
    }
    return '';
}

// Clicks a save button and returns the bytes of the file the browser downloaded.
export async function download(page, selector) {
    const dir = mkdtempSync(join(outDir, 'download-'));
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: dir });
    await page.click(selector);
    for (let wait = 0; wait < 100; ++wait) {
        const done = readdirSync(dir).filter((f) => !f.endsWith('.crdownload'));
        if (done.length > 0) {
            await new Promise((r) => setTimeout(r, 50));
            const bytes = readFileSync(join(dir, done[0]));
            rmSync(dir, { recursive: true, force: true });
            return { name: done[0], bytes };
        }
        await new Promise((r) => setTimeout(r, 50));
    }
    rmSync(dir, { recursive: true, force: true });
    return { name: null, bytes: Buffer.alloc(0) };
}

// The page circuit of a vornik-cli argument list.
export function circuitFromArgs(args) {
    const circuit = { star: !args.includes('--delta'), texts: [...initialTexts], checks: Array(7).fill(false),
        precision: [...defaultPrecision] };
    circuit.checks[0] = args.includes('--neutral');
    for (let k = 0; k < args.length; ++k) {
        const field = fieldOptions.indexOf(args[k]);
        if (field >= 0) {
            circuit.texts[field] = args[k + 1];
        }
        const phases = { '--short': ['A', 'B', 'C'], '--open': ['AB', 'BC', 'CA'], '--break': ['A', 'B', 'C'] };
        if (phases[args[k]]) {
            circuit.checks[phases[args[k]].indexOf(args[k + 1]) + (args[k] === '--break' ? 4 : 1)] = true;
        }
    }
    return circuit;
}
