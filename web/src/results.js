// TForm2, the results document: one block per report line, editable; copy, save as RTF or plain
// text, print.
import { saveFile } from './save.js';

const $ = (id) => document.getElementById(id);
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

export function showReport(lines) {
    $('Form2-RichEdit1').replaceChildren(...lines.map(lineBlock));
}

// The document's lines as the user sees them now, edits included.
export function documentLines() {
    const lines = [];
    for (const node of $('Form2-RichEdit1').childNodes) {
        if (node.nodeType === Node.TEXT_NODE) {
            lines.push(node.textContent);
        } else if (node.nodeType === Node.ELEMENT_NODE) {
            lines.push(...node.innerText.replace(/\n$/, '').split('\n'));
        }
    }
    return lines;
}

function selectWholeDocument() {
    const range = document.createRange();
    range.selectNodeContents($('Form2-RichEdit1'));
    const selection = getSelection();
    selection.removeAllRanges();
    selection.addRange(range);
}

export function initResults(core) {
    const edit = $('Form2-RichEdit1');
    $('Form2-Copy').addEventListener('click', () => {
        // The selection inside the document, or the whole document when nothing is selected there.
        const selection = getSelection();
        if (selection.isCollapsed || !edit.contains(selection.anchorNode)) {
            selectWholeDocument();
        }
        document.execCommand('copy');
        edit.focus();
    });
    $('Form2-SpeedButton6').addEventListener('click', () => {
        document.execCommand('superscript');
        edit.focus();
    });
    $('Form2-SpeedButton9').addEventListener('click', () => {
        const title = document.title;
        document.title = printTitle;
        window.print();
        document.title = title;
    });
    $('Form2-SpeedButton4').addEventListener('click', () => {
        const rtf = core() && core().rtf(documentLines());
        if (rtf) {
            saveFile(rtf, 'vornik.rtf', 'application/rtf');
        }
    });
    $('Form2-SaveText').addEventListener('click', () => {
        const text = documentLines().join('\r\n') + '\r\n';
        saveFile(new TextEncoder().encode(text), 'vornik.txt', 'text/plain;charset=utf-8');
    });
}
