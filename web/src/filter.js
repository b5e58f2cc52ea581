// Typed-key filters of the numeric fields. Pasted (or dropped) text goes through the same filter
// as typed text, its blanks dropped ("1 234,5" is 1234,5); a text that does not fit the field is
// refused with a hint under the field rather than cut. A typed character that does not fit a full
// field is refused with a hint too.

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

// The hint under a field, gone with the next change of the field or when it loses focus.
function showHint(input, text) {
    let hint = document.getElementById(input.id + '-hint');
    if (!hint) {
        hint = document.createElement('p');
        hint.id = input.id + '-hint';
        hint.className = 'paste-hint';
        hint.setAttribute('role', 'status');
        input.closest('.row, .formula, fieldset, div')?.after(hint);
        const drop = () => {
            hint.remove();
            input.removeAttribute('aria-describedby');
        };
        input.addEventListener('input', drop, { once: true });
        input.addEventListener('blur', drop, { once: true });
    }
    hint.textContent = text;
    input.setAttribute('aria-describedby', hint.id);
}

// "знака" or "знаков" after "не больше N".
const signs = (n) => (n % 10 === 1 && n % 100 !== 11 ? 'знака' : 'знаков');

function pasteText(input, filter, text) {
    const passed = [...text.replace(/\s+/g, '')].map(filter).filter((c) => c !== null).join('');
    const start = input.selectionStart ?? input.value.length;
    const end = input.selectionEnd ?? start;
    const room = (input.maxLength > 0 ? input.maxLength : Infinity) - (input.value.length - (end - start));
    if (passed.length > room) {
        showHint(input, `Не вставлено: «${passed}» длиннее поля (не больше ${input.maxLength} знаков)`);
        return;
    }
    if (passed !== '') {
        input.setRangeText(passed, start, end, 'end');
        input.dispatchEvent(new Event('input', { bubbles: true }));
    }
}

export function attachFilter(input, filter) {
    input.addEventListener('beforeinput', (event) => {
        // Pasting itself stays allowed: only the text it would insert is taken in hand.
        if (event.inputType === 'insertFromPaste' || event.inputType === 'insertFromDrop') {
            event.preventDefault();
            pasteText(input, filter, event.data ?? event.dataTransfer?.getData('text/plain') ?? '');
            return;
        }
        if (event.inputType !== 'insertText' || event.data == null) {
            return;
        }
        const passed = [...event.data].map(filter).filter((c) => c !== null).join('');
        const start = input.selectionStart ?? input.value.length;
        const end = input.selectionEnd ?? start;
        const room = (input.maxLength > 0 ? input.maxLength : Infinity) - (input.value.length - (end - start));
        if (passed === event.data && passed.length <= room) {
            return;
        }
        event.preventDefault();
        if (passed !== '' && room > 0) {
            input.setRangeText(passed.slice(0, room), start, end, 'end');
            input.dispatchEvent(new Event('input', { bubbles: true }));
        }
        if (passed !== '' && passed.length > room) {
            // A full field would drop the character without a word.
            showHint(input, `Поле вмещает не больше ${input.maxLength} ${signs(input.maxLength)}`);
        }
    });
}
