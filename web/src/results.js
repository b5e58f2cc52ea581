// TForm2, the results document: one block per report line, editable; copy, save as RTF or plain
// text, print.
import { byId as $ } from './dom.js';
import { saveFile } from './save.js';
import { markStale } from './stale.js';

const printTitle = 'Результаты рассчёта Vornik';

function lineBlock(text) {
    const block = document.createElement('div');
    if (text === '') {
        block.append(document.createElement('br'));
    } else {
        block.textContent = text;
    }
    return block;
}

// What the shown report was computed for: its connection names the saved files, its title line
// heads the printout.
let about = { star: true, title: '' };

export function showReport(lines, circuit = about) {
    about = circuit;
    $('Form2-RichEdit1').replaceChildren(...lines.map(lineBlock));
    document.body.classList.toggle('empty-report', lines.length === 0);
    $('Form2-PrintTitle').textContent = about.title;
}

const reportName = (ext) => `vornik-${about.star ? 'star' : 'delta'}.${ext}`;

// The printout: the title line, or a one-line note when there is no solution yet.
function preparePrint() {
    const empty = $('Form2-RichEdit1').textContent.trim() === '';
    document.body.classList.toggle('empty-report', empty);
    $('Form2-PrintTitle').textContent = about.title;
}

export function setReportStale(stale) {
    markStale($('Form2-Stale'), $('Form2-RichEdit1'), stale);
}

// The document as the user sees it now, edits included: its lines and the raised (superscript)
// spans of each line, in string indices.
export function documentModel() {
    const lines = [];
    const raised = [];
    let line = null;
    const newLine = () => {
        line = '';
        lines.push(line);
    };
    const append = (text, up) => {
        if (line === null) {
            newLine();
        }
        if (up && text) {
            raised.push({ line: lines.length - 1, begin: line.length, end: line.length + text.length });
        }
        line += text;
        lines[lines.length - 1] = line;
    };
    const walk = (node, up) => {
        for (const child of node.childNodes) {
            if (child.nodeType === Node.TEXT_NODE) {
                append(child.textContent, up);
            } else if (child.nodeName === 'BR') {
                // A break ends its line; the closing break of a block only keeps an empty line.
                if (line === null) {
                    newLine();
                }
                if (child.nextSibling !== null) {
                    line = null;
                }
            } else if (child.nodeType === Node.ELEMENT_NODE) {
                const block = getComputedStyle(child).display !== 'inline';
                if (block) {
                    line = null;
                }
                walk(child, up || child.nodeName === 'SUP');
                if (block) {
                    if (line === null) {
                        newLine();
                    }
                    line = null;
                }
            }
        }
    };
    walk($('Form2-RichEdit1'), false);
    return { lines, raised };
}

export function documentLines() {
    return documentModel().lines;
}

function selectWholeDocument() {
    const range = document.createRange();
    range.selectNodeContents($('Form2-RichEdit1'));
    const selection = getSelection();
    selection.removeAllRanges();
    selection.addRange(range);
}

// The selection as formatted text (raised spans stay raised) and as plain text, through the
// clipboard interface; only a page that is not a secure context (served over plain http from
// another computer) lacks it and copies the older way.
function copySelection() {
    const selection = getSelection();
    if (!navigator.clipboard || typeof ClipboardItem === 'undefined' || selection.rangeCount === 0) {
        document.execCommand('copy');
        return;
    }
    const holder = document.createElement('div');
    holder.append(selection.getRangeAt(0).cloneContents());
    const item = new ClipboardItem({
        'text/html': new Blob([holder.innerHTML], { type: 'text/html' }),
        'text/plain': new Blob([selection.toString()], { type: 'text/plain' }),
    });
    navigator.clipboard.write([item]).catch(() => document.execCommand('copy'));
}

export function initResults(core) {
    const edit = $('Form2-RichEdit1');
    addEventListener('beforeprint', preparePrint);
    $('Form2-SpeedButton2').addEventListener('click', () => {
        // The selection inside the document, or the whole document when nothing is selected there.
        const selection = getSelection();
        if (selection.isCollapsed || !edit.contains(selection.anchorNode)) {
            selectWholeDocument();
        }
        copySelection();
        edit.focus();
    });
    $('Form2-SpeedButton6').addEventListener('click', () => {
        // Raising is no toggle: text already raised stays raised. The platform has no other way
        // to format an editable document that keeps the browser's own undo of the change.
        if (!document.queryCommandState('superscript')) {
            document.execCommand('superscript');
        }
        edit.focus();
    });
    $('Form2-SpeedButton9').addEventListener('click', () => {
        const title = document.title;
        document.title = printTitle;
        preparePrint();
        window.print();
        document.title = title;
    });
    $('Form2-SpeedButton4').addEventListener('click', () => {
        const { lines, raised } = documentModel();
        const rtf = core() && core().rtf(lines, raised);
        if (rtf) {
            saveFile(rtf, reportName('rtf'), 'application/rtf');
        }
    });
    $('Form2-SaveText').addEventListener('click', () => {
        const text = documentLines().join('\r\n') + '\r\n';
        saveFile(new TextEncoder().encode(text), reportName('txt'), 'text/plain;charset=utf-8');
    });
}
