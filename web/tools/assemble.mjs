// Puts the page together for opening as a file: browsers refuse to load ES modules from file://,
// so the hand-written modules are joined, dependencies first, into one classic script whose
// modules keep their own scopes; the page gets the program's version in place of @VORNIK_VERSION@.
// Also copies the static files and writes the service worker with the site's version and file
// list. Usage: node assemble.mjs SRC_DIR CORE_JS SITE_DIR VERSION [EXTRA...]
// (EXTRA: more files copied into the site as they are).
import { createHash } from 'node:crypto';
import { readdirSync, readFileSync, writeFileSync, copyFileSync } from 'node:fs';
import { basename, join } from 'node:path';
import { gzipSync } from 'node:zlib';

const [srcDir, coreJs, siteDir, version, ...extra] = process.argv.slice(2);
if (!/^\d+(\.\d+)*$/.test(version ?? '')) {
    throw new Error(`no version given, or not one: ${version}`);
}
const importLine = /^import\s*\{([^}]*)\}\s*from\s*'\.\/([\w-]+\.js)';\s*$/gm;
const exportName = /^export\s+(?:async\s+)?(?:function|const|let|class)\s+(\w+)/gm;

const order = [];
const seen = new Set();
function visit(file, trail) {
    if (trail.includes(file)) {
        throw new Error('import cycle: ' + [...trail, file].join(' -> '));
    }
    if (seen.has(file)) {
        return;
    }
    const source = readFileSync(join(srcDir, file), 'utf8');
    for (const [, , dep] of source.matchAll(importLine)) {
        visit(dep, [...trail, file]);
    }
    seen.add(file);
    order.push({ file, source });
}
visit('main.js', []);

// Each module becomes a function scope returning its exports; imports read them by name.
let script = "(() => {\n'use strict';\nconst modules = {};\n";
const exports = {};
for (const { file, source } of order) {
    const exported = [...source.matchAll(exportName)].map((m) => m[1]);
    exports[file] = exported;
    // A name imported but not exported would only show up as undefined in the browser.
    for (const [, names, dep] of source.matchAll(importLine)) {
        for (const name of names.split(',').map((n) => n.trim().split(/\s+as\s+/)[0]).filter(Boolean)) {
            if (!exports[dep].includes(name)) {
                throw new Error(`${file} imports ${name}, which ${dep} does not export`);
            }
        }
    }
    // "name as alias" becomes the destructuring "name: alias".
    let body = source.replace(importLine, (line, names, dep) =>
        `const {${names.replace(/\s+as\s+/g, ': ')}} = modules['${dep}'];`);
    body = body.replace(/^export\s+/gm, '');
    script += `modules['${file}'] = (() => {\n${body}\nreturn { ${exported.join(', ')} };\n})();\n`;
}
script += '})();\n';
writeFileSync(join(siteDir, 'app.js'), script);

// The core is not named here: the page loads it itself once the form is painted. The page's own
// script (small) runs at the end of the body before the first paint, so the form is built once
// and not laid out again while the student starts to read it.
const html = readFileSync(join(srcDir, 'index.html'), 'utf8')
    .replace('<!--CORE-->\n', '')
    .replace('<!--APP-->', '<script src="app.js"></script>')
    .replaceAll('@VORNIK_VERSION@', version);
writeFileSync(join(siteDir, 'index.html'), html);
// The core's WebAssembly rides in its script as a data URL, so it needs no file request, which
// file:// would refuse. It is gzip-compressed before base64: base64 text compresses badly, so the
// raw WebAssembly in base64 would make the script half as large again when served with gzip. The
// page inflates it with the browser's DecompressionStream and compiles it as it streams in.
const wasm = gzipSync(readFileSync(coreJs.replace(/\.js$/, '.wasm')), { level: 9 });
writeFileSync(join(siteDir, 'vornik-core.js'), readFileSync(coreJs, 'utf8') +
    `globalThis.VornikCoreWasm = 'data:application/gzip;base64,${wasm.toString('base64')}';\n`);
for (const file of ['styles.css', 'help.html', 'manifest.webmanifest', 'robots.txt']) {
    copyFileSync(join(srcDir, file), join(siteDir, file));
}
for (const file of readdirSync(join(srcDir, 'icons'))) {
    copyFileSync(join(srcDir, 'icons', file), join(siteDir, file));
}
for (const file of extra) {
    copyFileSync(file, join(siteDir, basename(file)));
}

// The offline copy holds every file of the site (robots.txt is for crawlers only); its version
// is the hash of their contents, so any change of any file makes a new worker.
const cached = readdirSync(siteDir).filter((file) => file !== 'robots.txt').sort();
const hash = createHash('sha256');
for (const file of cached) {
    hash.update(file + '\0').update(readFileSync(join(siteDir, file)));
}
const siteVersion = hash.digest('hex').slice(0, 16);
const worker = readFileSync(join(srcDir, 'sw.js'), 'utf8')
    .replace("'@VERSION@'", `'${siteVersion}'`)
    .replace("'@FILES@'", JSON.stringify(['./', ...cached]));
writeFileSync(join(siteDir, 'sw.js'), worker);
