// TForm7, "Векторная диаграмма": fourteen mode buttons, the canvas drawn from the core's drawing
// operations, the cursor read-out and the picture saved as PNG, JPEG, BMP or SVG.
import { byId as $ } from './dom.js';
import { noteDiagram } from './hooks.js';
import { canvasSize, paintOps } from './paint.js';
import { saveFile } from './save.js';
import { diagramSvg } from './svg.js';
import { markStale } from './stale.js';

// The emergency pairs in button order with the tick of the parameter form that asks for each,
// and the mode named for a hint: star meaning, delta meaning.
const pairs = [
    [null, 'Нормальный режим', 'Нормальный режим'],
    [2, 'КЗ фазы А', 'Обрыв фазы нагрузки АВ'],
    [3, 'КЗ фазы В', 'Обрыв фазы нагрузки ВС'],
    [4, 'КЗ фазы С', 'Обрыв фазы нагрузки СА'],
    [5, 'Обрыв линейного провода А', 'Обрыв линейного провода А'],
    [6, 'Обрыв линейного провода В', 'Обрыв линейного провода В'],
    [7, 'Обрыв линейного провода С', 'Обрыв линейного провода С'],
];
const groupHeadings = { 0: ['Label2', 'Нормальный режим'], 1: ['Label3', 'Аварийный режим'], 4: ['Label4', 'Аварийный режим'] };

function buildButtons(onSelect, onReselect) {
    const host = $('Form7-modes');
    pairs.forEach((pair, k) => {
        if (groupHeadings[k]) {
            const [name, text] = groupHeadings[k];
            const h = document.createElement('div');
            h.id = 'Form7-' + name;
            h.className = 'group';
            h.textContent = text;
            host.append(h);
        }
        const row = document.createElement('div');
        row.className = 'pair';
        if (k > 0) {
            // The mode of an emergency pair, which the desktop leaves to the user to know.
            const mode = document.createElement('div');
            mode.className = 'mode';
            mode.id = 'Form7-Mode' + k;
            host.append(mode);
        }
        ['Напряжения', 'Тока'].forEach((caption, j) => {
            const button = 2 * k + j + 1;
            const label = document.createElement('label');
            const radio = document.createElement('input');
            radio.type = 'radio';
            radio.name = 'diagram';
            radio.id = 'Form7-RadioButton' + button;
            radio.disabled = k > 0;
            radio.addEventListener('change', () => radio.checked && onSelect(button));
            // Choosing the mode already shown draws it again (no change event comes then).
            radio.addEventListener('click', () => onReselect(button));
            label.append(radio, ' ' + caption);
            row.append(label);
        });
        host.append(row);
    });
}

function showHints(star) {
    pairs.forEach((pair, k) => {
        const hint = star ? pair[1] : pair[2];
        if (k > 0) {
            $('Form7-Mode' + k).textContent = hint;
        }
        for (const j of [1, 2]) {
            $('Form7-RadioButton' + (2 * k + j)).parentElement.title = hint;
        }
    });
}

function cursorReadout(event) {
    const canvas = $('Form7-Image1');
    const x = Math.min(canvasSize - 1, Math.floor((event.offsetX * canvasSize) / canvas.clientWidth));
    const y = Math.min(canvasSize - 1, Math.floor((event.offsetY * canvasSize) / canvas.clientHeight));
    $('Form7-Label6').textContent = String(x);
    $('Form7-Label7').textContent = String(y);
    $('Form7-Label9').textContent = String(200 - y);
    $('Form7-Label10').textContent = String(200 - x);
}

// A mode the last run did not compute: its one line in the middle of a white picture.
function paintNotComputed(ctx, text) {
    ctx.fillStyle = '#fff';
    ctx.fillRect(0, 0, canvasSize, canvasSize);
    ctx.fillStyle = '#000';
    ctx.font = '12px "Liberation Sans", "DejaVu Sans", Arial, sans-serif';
    ctx.textAlign = 'center';
    ctx.textBaseline = 'middle';
    ctx.fillText(text, canvasSize / 2, canvasSize / 2, canvasSize - 16);
    ctx.textAlign = 'start';
}

export function initDiagram(core) {
    const canvas = $('Form7-Image1');
    const ctx = canvas.getContext('2d', { willReadFrequently: true });
    ctx.fillStyle = '#fff';
    ctx.fillRect(0, 0, canvasSize, canvasSize);
    // The button drawn last (0 before any drawing) and whether a run has stored results, after
    // which the mode names follow that run's connection rather than the form's.
    let shown = 0;
    let runStored = false;
    // The operations on the canvas and their text boxes, for the SVG.
    let drawn = null;
    const draw = (button) => {
        const picture = core().diagram(button);
        if (!picture) {
            return;
        }
        shown = button;
        if (picture.notComputed !== undefined) {
            paintNotComputed(ctx, picture.notComputed);
            drawn = null;
            canvas.setAttribute('aria-label', 'Векторная диаграмма: ' + picture.notComputed);
            noteDiagram([], [], picture.notComputed);
            $('Form7-Label12').textContent = '';
        } else {
            canvas.setAttribute('aria-label', 'Векторная диаграмма');
            const rects = paintOps(ctx, picture.ops);
            noteDiagram(picture.ops, rects);
            drawn = { ops: picture.ops, rects };
            if (picture.label11 !== null) {
                $('Form7-Label11').textContent = picture.label11;
            }
            $('Form7-Label12').textContent = picture.label12;
        }
        // Before the first drawing there is no picture to save.
        for (const id of ['Form7-SavePng', 'Form7-SaveJpeg', 'Form7-SaveBmp']) {
            $(id).disabled = false;
        }
        // A vector drawing exists only of a drawn diagram.
        $('Form7-SaveSvg').disabled = drawn === null;
    };
    buildButtons(draw, (button) => {
        if (button === shown) {
            draw(button);
        }
    });
    showHints(true);
    // A pointer of any kind: a mouse moving, or a finger tapping the diagram on a phone.
    canvas.addEventListener('pointermove', cursorReadout);
    canvas.addEventListener('pointerdown', cursorReadout);
    const save = (name, type, quality) => canvas.toBlob((blob) => saveFile(blob, name, type), type, quality);
    $('Form7-SavePng').addEventListener('click', () => save('vornik.png', 'image/png'));
    $('Form7-SaveJpeg').addEventListener('click', () => save('vornik.jpg', 'image/jpeg', 0.9));
    $('Form7-SaveBmp').addEventListener('click', () => {
        const bmp = core().bmp(ctx.getImageData(0, 0, canvasSize, canvasSize).data, canvasSize, canvasSize);
        if (bmp) {
            saveFile(bmp, 'vornik.bmp', 'image/bmp');
        }
    });
    $('Form7-SaveSvg').addEventListener('click', () => {
        if (drawn) {
            saveFile(diagramSvg(drawn.ops, drawn.rects), 'vornik.svg', 'image/svg+xml');
        }
    });
    return {
        // The form's connection names the modes until a run has stored results.
        formConnection(star) {
            if (!runStored) {
                showHints(star);
            }
        },
        // After a run that stored results ({star, checks} of its form): the modes are named for
        // its connection, the pairs of its ticked modes are enabled, and the mode shown is drawn
        // again from the new results (the normal-mode voltages when none was shown or the shown
        // mode is no longer enabled).
        afterRun({ star, checks }) {
            runStored = true;
            showHints(star);
            $('Form7-modes').disabled = false;
            pairs.forEach(([tick], k) => {
                for (const j of [1, 2]) {
                    $('Form7-RadioButton' + (2 * k + j)).disabled = tick !== null && !checks[tick - 1];
                }
            });
            const button = shown > 0 && !$('Form7-RadioButton' + shown).disabled ? shown : 1;
            $('Form7-RadioButton' + button).checked = true;
            draw(button);
        },
        // The core has lost the results: no mode can be drawn until a run stores results again.
        forgetRuns() {
            $('Form7-modes').disabled = true;
            runStored = false;
            shown = 0;
        },
        setStale(stale) {
            markStale($('Form7-Stale'), canvas, stale);
        },
    };
}
