// What the browser tests and the benchmark read from the page, in one place and apart from the
// elements: the last diagram's drawing operations with the boxes of its texts as painted (or the
// line shown for a mode that was not computed), the number of drawings, and the body's data-ready
// (with the milliseconds since navigation) once the core is loaded.
const hooks = { diagramOps: [], diagramTextRects: [], diagramNotice: null, diagramCount: 0 };
globalThis.vornikHooks = hooks;

export function noteDiagram(ops, textRects, notice = null) {
    hooks.diagramOps = ops;
    hooks.diagramTextRects = textRects;
    hooks.diagramNotice = notice;
    hooks.diagramCount += 1;
}

export function noteReady() {
    document.body.dataset.ready = 'true';
    document.body.dataset.readyAt = performance.now().toFixed(1);
}
