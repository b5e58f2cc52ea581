// Puts the page together for opening as a file: browsers refuse to load ES modules from file://,
// so the hand-written modules are joined, dependencies first, into one classic script whose
// modules keep their own scopes; the page gets the program's version in place of @VORNIK_VERSION@.
// Usage: node assemble.mjs SRC_DIR CORE_JS SITE_DIR VERSION
import { readFileSync, writeFileSync, copyFileSync } from 'node:fs';
import { join } from 'node:path';

const [srcDir, coreJs, siteDir, version] = process.argv.slice(2);
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

const html = readFileSync(join(srcDir, 'index.html'), 'utf8')
    .replace('<!--CORE-->', '<script src="vornik-core.js"></script>')
    .replace('<!--APP-->', '<script src="app.js"></script>')
    .replaceAll('@VORNIK_VERSION@', version);
writeFileSync(join(siteDir, 'index.html'), html);
copyFileSync(join(srcDir, 'styles.css'), join(siteDir, 'styles.css'));
copyFileSync(coreJs, join(siteDir, 'vornik-core.js'));
