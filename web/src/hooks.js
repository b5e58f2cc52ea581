// What the browser tests and the benchmark read from the page, in one place and apart from the
// elements: the last diagram's drawing operations with the boxes of its texts as painted, and
// the core's table of the form fields, the body's data-ready (with the milliseconds since navigation) once the core is loaded.
const hooks = { diagramOps: [], diagramTextRects: [], fieldTable: null };
globalThis.vornikHooks = hooks;

export function noteDiagram(ops, textRects) {
    hooks.diagramOps = ops;
    hooks.diagramTextRects = textRects;
}

export function noteFieldTable(table) {
    hooks.fieldTable = table;
}

export function noteReady() {
    document.body.dataset.ready = 'true';
    document.body.dataset.readyAt = performance.now().toFixed(1);
}
