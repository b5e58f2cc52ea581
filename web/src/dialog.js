// The message box of the page: one modal dialog with the program's text and an OK button.

const box = () => document.getElementById('vornik-message');

// Shows the text and resolves when the user closes the dialog.
export function showMessage(text) {
    const dialog = box();
    document.getElementById('vornik-message-text').textContent = text;
    return new Promise((resolve) => {
        dialog.addEventListener('close', () => resolve(), { once: true });
        if (!dialog.open) {
            dialog.showModal();
        }
        document.getElementById('vornik-message-ok').focus();
    });
}
