// How the page's modules reach their elements: by id, where the id is the desktop control's name
// after its form ("Form3-Edit4"), and a small builder for the elements a module makes itself.

export const byId = (id) => document.getElementById(id);

// A new element with the given properties and children.
export function element(tag, props, ...children) {
    const e = Object.assign(document.createElement(tag), props);
    e.append(...children);
    return e;
}

// Puts the cursor in the field of the given id with its text selected, opening the folded
// section that holds it; nothing when there is no such field.
export function focusField(id) {
    const field = id ? byId(id) : null;
    if (!field) {
        return;
    }
    for (let folded = field.closest('details'); folded; folded = folded.parentElement.closest('details')) {
        folded.open = true;
    }
    field.focus();
    field.select();
}
