// TForm4, "Настройка точности рассчёта": twenty boxes, each the number of decimals (0 to 5) of
// one kind of reported number, placed in the gaps of their row's formula.
import { byId } from './dom.js';
import { attachFilter, decimalsKeyFilter } from './filter.js';

const rows = [
    ['Label2', 'Напряжение ', 'Label3', 'U=                e j                 U=               +j                 (V)  '],
    ['Label4', 'Сопротивление', 'Label5', 'Z=               +j                Z=                 ej                  (Om)'],
    ['Label6', 'Проводимость', 'Label12', 'Y=                e j                 Y=               +j                 (Sm)  '],
    ['Label8', 'Ток', 'Label11', 'I=                e j                   I=               +j                 (A)    '],
    ['Label10', 'Мощность', 'Label7', 'S=                e j                S=               +j                 (V*A)   '],
];
// The initial decimals, in box order.
const initial = ['0', '0', '0', '0', '0', '0', '1', '1', '3', '3', '3', '1', '1', '1', '1', '1', '0', '1', '0', '0'];

// Which part of the complex number a box sets, told by the formula pieces around it: before "e j"
// the modulus, after it the angle; before "+j" the real part, after it the imaginary part.
const isAngle = (piece) => piece.replace(/\s/g, '') === 'ej';
function part(before, after) {
    if (isAngle(before)) {
        return '(угол)';
    }
    if (before.trim() === '+j') {
        return '(мнимая часть)';
    }
    return after !== undefined && isAngle(after) ? '(модуль)' : '(действительная часть)';
}

// onEdit() is told of every change of a box.
export function initPrecision(onEdit) {
    const grid = byId('Form4-grid');
    const list = document.createElement('datalist');
    list.id = 'decimals';
    list.append(...['0', '1', '2', '3', '4', '5'].map((v) => new Option(v)));
    grid.append(list);
    rows.forEach(([headingName, heading, formulaName, formula], row) => {
        const h = document.createElement('h5');
        h.id = 'Form4-' + headingName;
        h.textContent = heading;
        const line = document.createElement('div');
        line.className = 'row formula';
        line.id = 'Form4-' + formulaName;
        line.dataset.caption = formula;
        const pieces = formula.trim().split(/ {2,}/);
        pieces.forEach((text, k) => {
            const piece = document.createElement('span');
            piece.className = 'piece';
            piece.textContent = text;
            line.append(piece);
            if (k < 4) {
                const box = document.createElement('input');
                const index = row * 4 + k;
                box.id = 'Form4-ComboBox' + (index + 1);
                box.className = 'decimals';
                box.maxLength = 1;
                box.value = initial[index];
                box.inputMode = 'numeric';
                box.setAttribute('list', 'decimals');
                box.setAttribute('aria-label', `${heading.trim()}: ${text} ${part(text, pieces[k + 1])}`);
                attachFilter(box, decimalsKeyFilter);
                box.addEventListener('input', () => onEdit());
                line.append(box);
            }
        });
        grid.append(h, line);
    });
}

export function readPrecision() {
    return Array.from({ length: 20 }, (_, k) => byId('Form4-ComboBox' + (k + 1)).value);
}
