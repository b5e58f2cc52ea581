// Captions with gaps: the desktop places fields in the runs of blanks of a caption. Here the
// caption is cut at those runs and its pieces are set between the row's fields, so the words
// stay exactly the desktop's.

export function fillGaps(row, caption) {
    row.querySelectorAll(':scope > .piece').forEach((p) => p.remove());
    row.dataset.caption = caption;
    const box = row.querySelector(':scope > input[type=checkbox]');
    const fields = [...row.querySelectorAll(':scope > input:not([type=checkbox])')];
    const pieces = caption.trim().split(/ {2,}/);
    pieces.forEach((text, k) => {
        const piece = document.createElement('label');
        piece.className = 'piece';
        piece.textContent = text;
        const target = k === 0 && box ? box : fields[k];
        if (target) {
            piece.htmlFor = target.id;
        }
        if (k < fields.length) {
            row.insertBefore(piece, fields[k]);
        } else {
            row.appendChild(piece);
        }
    });
}
