// What the browser tests and the benchmark read from the page, in one place and apart from the
// elements: the last diagram's drawing operations with the boxes of its texts as painted (or the
// line shown for a mode that was not computed), the number of drawings, the core's tables of the
// form fields and of the operating modes, and the body's data-ready (with the milliseconds since
// navigation) once the core is loaded.
const hooks = { diagramOps: [], diagramTextRects: [], diagramNotice: null, diagramCount: 0, fieldTable: null,
    modeTable: null, shareLink: null };
globalThis.vornikHooks = hooks;

export function noteDiagram(ops, textRects, notice = null) {
    hooks.diagramOps = ops;
    hooks.diagramTextRects = textRects;
    hooks.diagramNotice = notice;
    hooks.diagramCount += 1;
}

export function noteFieldTable(table, modes) {
    hooks.fieldTable = table;
    hooks.modeTable = modes;
}

// The link "Ссылка на задачу" made last (the clipboard is not readable in every test browser).
export function noteShareLink(link) {
    hooks.shareLink = link;
}

export function noteReady() {
    document.body.dataset.ready = 'true';
    document.body.dataset.readyAt = performance.now().toFixed(1);
}
