// The message box of the page: one modal dialog with the program's text and an OK button.

import { byId } from './dom.js';


// Shows the text and resolves when the user closes the dialog. With `copyText` the dialog also
// holds that text in a read-only field, selected, and a "Копировать" button that selects it again
// (for copying by hand where the page may not write to the clipboard).
export function showMessage(text, copyText = null) {
    const dialog = byId('vornik-message');
    byId('vornik-message-text').textContent = text;
    const row = byId('vornik-message-copy');
    const field = byId('vornik-message-field');
    row.hidden = copyText === null;
    field.value = copyText ?? '';
    return new Promise((resolve) => {
        dialog.addEventListener('close', () => resolve(), { once: true });
        if (!dialog.open) {
            dialog.showModal();
        }
        if (copyText === null) {
            byId('vornik-message-ok').focus();
        } else {
            field.focus();
            field.select();
        }
    });
}

byId('vornik-message-select').addEventListener('click', () => {
    const field = byId('vornik-message-field');
    field.focus();
    field.select();
});
