// Files in and out through the browser: a download to save, a file picker to open. Nothing
// leaves the computer.
export function saveFile(bytes, name, type) {
    const blob = bytes instanceof Blob ? bytes : new Blob([bytes], { type });
    const url = URL.createObjectURL(blob);
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
}

// Asks for one file of the `accept` kinds and hands its bytes (Uint8Array) and name to opened.
// The picker is made for each choice (a file input holds no text to limit).
export function pickFile(accept, opened) {
    const picker = Object.assign(document.createElement('input'), { type: 'file', accept, hidden: true });
    picker.addEventListener('change', async () => {
        const file = picker.files[0];
        picker.remove();
        if (file) {
            await opened(new Uint8Array(await file.arrayBuffer()), file.name);
        }
    }, { once: true });
    picker.addEventListener('cancel', () => picker.remove(), { once: true });
    document.body.append(picker);
    picker.click();
}
