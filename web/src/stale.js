// Results that belong to earlier data: after an input changed or a run stopped without storing
// new results, the report and the diagram stay on the page under a line that says so, in a
// muted style, until the next run that stores results.

export const staleText = 'Результаты относятся к прежним данным — нажмите ВЫПОЛНИТЬ, чтобы пересчитать.';

// Marks (or unmarks) one view with the note line above it.
export function markStale(note, view, stale) {
    note.textContent = stale ? staleText : '';
    view.classList.toggle('stale', stale);
    if (stale) {
        view.setAttribute('aria-describedby', note.id);
    } else {
        view.removeAttribute('aria-describedby');
    }
}
