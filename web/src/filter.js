// Typed-key filters of the numeric fields. Only what is typed is filtered; pasted text passes
// as on the desktop, cut to the field's length limit by the browser.

// Digits, comma and minus pass; a full stop becomes a comma; everything else is dropped.
export function numericKeyFilter(ch) {
    if ((ch >= '0' && ch <= '9') || ch === ',' || ch === '-') {
        return ch;
    }
    return ch === '.' ? ',' : null;
}

// The precision boxes take the digits 0 to 5 only.
export function decimalsKeyFilter(ch) {
    return ch >= '0' && ch <= '5' ? ch : null;
}

export function attachFilter(input, filter) {
    input.addEventListener('beforeinput', (event) => {
        if (event.inputType !== 'insertText' || event.data == null) {
            return;
        }
        const passed = [...event.data].map(filter).filter((c) => c !== null).join('');
        if (passed === event.data) {
            return;
        }
        event.preventDefault();
        const start = input.selectionStart ?? input.value.length;
        const end = input.selectionEnd ?? start;
        const room = (input.maxLength > 0 ? input.maxLength : Infinity) - (input.value.length - (end - start));
        if (passed === '' || room <= 0) {
            return;
        }
        input.setRangeText(passed.slice(0, room), start, end, 'end');
        input.dispatchEvent(new Event('input', { bubbles: true }));
    });
}
