// TForm7, "Векторная диаграмма": fourteen mode buttons, the canvas drawn from the core's drawing
// operations, the cursor read-out and the picture saved as PNG, JPEG, BMP or SVG (written by the
// core from the drawing it made and the text boxes painted here).
import { byId as $ } from './dom.js';
import { noteDiagram } from './hooks.js';
import { canvasSize, paintOps, paintSharp } from './paint.js';
import { saveFile } from './save.js';
import { markStale } from './stale.js';

// The pairs of buttons (voltages, currents): the normal mode, then the emergency modes in the order
// of the ticks that ask for them. What each pair is in each connection comes from the core's mode
// table (applyModes): its tick, its hint and its name in saved pictures.
const pairCount = 7;
// By connection (star, delta), the core's row of each pair; null until the core has given them.
let modesByPair = null;
const groupHeadings = { 0: ['Label2', 'Нормальный режим'], 1: ['Label3', 'Аварийный режим'], 4: ['Label4', 'Аварийный режим'] };

function buildButtons(onSelect, onReselect) {
    const host = $('Form7-modes');
    for (let k = 0; k < pairCount; ++k) {
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
            // Holds its line until the core names the mode, so nothing moves then.
            mode.textContent = '\u00a0';
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
    }
}

function showHints(star) {
    if (!modesByPair) {
        return;
    }
    modesByPair[star ? 0 : 1].forEach((mode, k) => {
        const hint = mode.caption;
        if (k > 0) {
            $('Form7-Mode' + k).textContent = hint;
        }
        for (const j of [1, 2]) {
            const radio = $('Form7-RadioButton' + (2 * k + j));
            radio.parentElement.title = hint;
            radio.setAttribute('aria-label', `${hint}: ${radio.parentElement.textContent.trim()}`);
        }
    });
}

// "vornik-star-shortA-I": the connection, the mode and the quantity (U voltages, I currents).
function pictureName(star, button) {
    const pair = Math.floor((button - 1) / 2);
    return `vornik-${star ? 'star' : 'delta'}-${modesByPair[star ? 0 : 1][pair].webName}-${button % 2 === 1 ? 'U' : 'I'}`;
}

// The read-out of a place of the picture, in its pixels.
const cursor = { x: 200, y: 200 };
function showPlace(x, y) {
    cursor.x = x;
    cursor.y = y;
    $('Form7-Label6').textContent = String(x);
    $('Form7-Label7').textContent = String(y);
    $('Form7-Label9').textContent = String(200 - y);
    $('Form7-Label10').textContent = String(200 - x);
}

function cursorReadout(event) {
    const canvas = $('Form7-Image1');
    const x = Math.min(canvasSize - 1, Math.floor((event.offsetX * canvasSize) / canvas.clientWidth));
    const y = Math.min(canvasSize - 1, Math.floor((event.offsetY * canvasSize) / canvas.clientHeight));
    showPlace(x, y);
}

// From the keyboard: the arrows move the place read out by a pixel, with Shift by ten.
const steps = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };
function keyReadout(event) {
    const step = steps[event.key];
    if (!step) {
        return;
    }
    event.preventDefault();
    const by = event.shiftKey ? 10 : 1;
    const clamp = (v) => Math.max(0, Math.min(canvasSize - 1, v));
    showPlace(clamp(cursor.x + step[0] * by), clamp(cursor.y + step[1] * by));
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

// The text alternative beside the picture: each arrow's name, modulus and angle in degrees.
const number = (value, digits) => value.toFixed(digits).replace('.', ',').replace(/^-(0,0*)$/, '$1');
function showVectors(caption, vectors, unit) {
    $('Form7-Vectors-caption').textContent = caption;
    $('Form7-Vectors').tBodies[0].replaceChildren(...vectors.map(([label, re, im]) => {
        const row = document.createElement('tr');
        for (const text of [label, `${number(Math.hypot(re, im), 3)} ${unit}`, number((Math.atan2(im, re) * 180) / Math.PI, 1)]) {
            row.append(Object.assign(document.createElement('td'), { textContent: text }));
        }
        return row;
    }));
}

// The picture at the screen's device pixels, over the 400 x 400 one (which stays what is saved).
function sharpView(canvas) {
    const sharp = $('Form7-Sharp');
    const frame = sharp.parentElement;
    let last = null;
    const paint = () => {
        // The size is read only where it matters, so a drawing forces no layout on a plain screen.
        const size = last !== null && devicePixelRatio > 1 ? Math.round(canvas.clientWidth * devicePixelRatio) : 0;
        const on = size > canvasSize;
        frame.classList.toggle('sharp', on);
        if (on) {
            sharp.width = size;
            sharp.height = size;
            paintSharp(sharp.getContext('2d'), last.ops, last.rects, size / canvasSize);
        }
    };
    new ResizeObserver(paint).observe(canvas);
    // Painted in the next frame, when the page is laid out anyway.
    return (ops, rects) => {
        last = ops ? { ops, rects } : null;
        requestAnimationFrame(paint);
    };
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
    // The operations on the canvas and their text boxes; the core keeps the same drawing for the
    // SVG.
    let drawn = null;
    // The saved pictures' name: the stored run's connection and the mode drawn.
    let runStar = true;
    // The connection the modes are named for until a run has stored results.
    let formStar = true;
    let name = 'vornik';
    const showSharp = sharpView(canvas);
    const draw = (button) => {
        const picture = core().diagram(button);
        if (!picture) {
            return;
        }
        shown = button;
        name = pictureName(runStar, button);
        if (picture.notComputed !== undefined) {
            paintNotComputed(ctx, picture.notComputed);
            drawn = null;
            canvas.setAttribute('aria-label', 'Векторная диаграмма: ' + picture.notComputed);
            noteDiagram([], [], picture.notComputed);
            $('Form7-Label12').textContent = '';
            showSharp(null);
            showVectors(picture.notComputed, [], '');
        } else {
            canvas.setAttribute('aria-label', 'Векторная диаграмма');
            const rects = paintOps(ctx, picture.ops);
            noteDiagram(picture.ops, rects);
            drawn = { ops: picture.ops, rects };
            showSharp(picture.ops, rects);
            const hint = $('Form7-RadioButton' + button).parentElement.title;
            showVectors(`Векторы диаграммы: ${hint}, ${button % 2 === 1 ? 'напряжения' : 'токи'}`, picture.vectors,
                button % 2 === 1 ? 'В' : 'А');
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
    // A pointer of any kind: a mouse moving, or a finger tapping the diagram on a phone.
    canvas.addEventListener('pointermove', cursorReadout);
    canvas.addEventListener('pointerdown', cursorReadout);
    canvas.addEventListener('keydown', keyReadout);
    canvas.addEventListener('focus', () => showPlace(cursor.x, cursor.y));
    const save = (file, type, quality) => canvas.toBlob((blob) => saveFile(blob, file, type), type, quality);
    $('Form7-SavePng').addEventListener('click', () => save(name + '.png', 'image/png'));
    $('Form7-SaveJpeg').addEventListener('click', () => save(name + '.jpg', 'image/jpeg', 0.9));
    $('Form7-SaveBmp').addEventListener('click', () => {
        const bmp = core().bmp(ctx.getImageData(0, 0, canvasSize, canvasSize).data, canvasSize, canvasSize);
        if (bmp) {
            saveFile(bmp, name + '.bmp', 'image/bmp');
        }
    });
    $('Form7-SaveSvg').addEventListener('click', () => {
        const svg = drawn && core().diagramSvg(drawn.rects);
        if (svg) {
            saveFile(svg, name + '.svg', 'image/svg+xml');
        }
    });
    return {
        // The form's connection names the modes until a run has stored results.
        formConnection(star) {
            formStar = star;
            if (!runStored) {
                showHints(star);
            }
        },
        // The core's mode table ([{star, pair, tick, name, webName, caption}], vk_modes): the
        // pairs are named from it.
        applyModes(table) {
            modesByPair = [true, false].map((star) => {
                const byPair = [];
                table.filter((m) => m.star === star).forEach((m) => { byPair[m.pair] = m; });
                return byPair;
            });
            showHints(runStored ? runStar : formStar);
        },
        // After a run that stored results ({star, checks} of its form): the modes are named for
        // its connection, the pairs of its ticked modes are enabled, and the mode shown is drawn
        // again from the new results (the normal-mode voltages when none was shown or the shown
        // mode is no longer enabled).
        afterRun({ star, checks }) {
            runStored = true;
            runStar = star;
            showHints(star);
            $('Form7-modes').disabled = false;
            modesByPair[star ? 0 : 1].forEach(({ tick }, k) => {
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
            // The core loaded afresh holds no drawing to write as SVG.
            drawn = null;
            $('Form7-SaveSvg').disabled = true;
        },
        setStale(stale) {
            markStale($('Form7-Stale'), canvas, stale);
        },
    };
}
