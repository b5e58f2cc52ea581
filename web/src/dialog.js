// The message box of the page: one modal dialog with the program's text and an OK button.

import { byId } from './dom.js';


// Shows the text and resolves when the user closes the dialog.
export function showMessage(text) {
    const dialog = byId('vornik-message');
    byId('vornik-message-text').textContent = text;
    return new Promise((resolve) => {
        dialog.addEventListener('close', () => resolve(), { once: true });
        if (!dialog.open) {
            dialog.showModal();
        }
        byId('vornik-message-ok').focus();
    });
}
