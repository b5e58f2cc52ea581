// TForm3, the parameter form "Параметры  расчёта": captions that follow the connection, the
// neutral wire and the texts the run reads.
import { byId as $ } from './dom.js';
import { attachFilter, numericKeyFilter } from './filter.js';
import { fillGaps } from './gaps.js';

// Text fields in the order the core numbers them.
export const textFields = ['ComboBox1', 'ComboBox2', 'ComboBox3', 'Edit1', 'Edit2', 'Edit3', 'Edit4', 'Edit5',
    'Edit6', 'Edit7', 'Edit8', 'Edit9', 'Edit10', 'Edit11', 'Edit12', 'Edit13'].map((n) => 'Form3-' + n);

// Captions that change with the connection. Some hold Cyrillic letters that look like Latin ones
// (а, с, О); they are kept as the desktop form has always shown them.
const initialVoltage = [' Ua= ', ' Ub= ', ' Uс= '];
const starVoltage = [' Uа= ', ' Ub= ', ' Uc= '];
const deltaVoltage = ['Uаb=', 'Ubc=', 'Uca='];
const starLoad = [' Ra=            Xa=            (Om)', ' Rb=            Xb=            (Om)',
    ' Rc=            Xc=            (Om)'];
const deltaLoad = ['Rab=          Xab=           (Om)', 'Rbc=          Xbc=           (Om)',
    'Rca=          Xca=           (Om)'];
const shortCircuit = ['фаза "А"                 (Оm)', 'фаза "В"                 (Om)',
    'фаза "С"                 (Om)'];
const phaseBreak = ['фаза "АВ"', 'фаза "ВС"', 'фаза "СА"'];
const neutralCaption = 'R0=           (Om)';

const voltageLabels = ['Form3-Label3', 'Form3-Label10', 'Form3-Label11'];
const loadRows = ['Form3-Label4', 'Form3-Label5', 'Form3-Label6'];
const shortRows = ['Form3-Caption2', 'Form3-Caption3', 'Form3-Caption4'];
const shunts = ['Form3-Edit11', 'Form3-Edit12', 'Form3-Edit13'];

export function isStar() {
    return $('Form3-RadioButton1').checked;
}

// The neutral resistance and its caption are enabled exactly when the wire is ticked in star.
function syncNeutral() {
    const on = isStar() && $('Form3-CheckBox1').checked;
    $('Form3-Edit10').disabled = !on;
    $('Form3-Label7').classList.toggle('disabled', !on);
}

// Names for screen readers of the fields whose caption is not next to them: each angle names its
// voltage, each shunt its phase.
const angles = ['Form3-Edit1', 'Form3-Edit2', 'Form3-Edit3'];
function nameFields() {
    for (let k = 0; k < 3; ++k) {
        const voltage = $(voltageLabels[k]).textContent.trim().replace(/=$/, '');
        $(angles[k]).setAttribute('aria-label', `Угол напряжения ${voltage}, °`);
        $(shunts[k]).setAttribute('aria-label', `Сопротивление шунта, ${shortCircuit[k].split('  ')[0]} (Ом)`);
        // The ticks of both emergency groups read "фаза ..." alone: each says its group too.
        const shortBox = $('Form3-CheckBox' + (k + 2));
        shortBox.setAttribute('aria-label', `${$('Form3-Label9').textContent}: ${shortBox.parentElement.dataset.caption.split('  ')[0]}`);
        const breakBox = $('Form3-CheckBox' + (k + 5));
        breakBox.setAttribute('aria-label', `${$('Form3-Label13').textContent}: ${breakBox.parentElement.textContent.trim()}`);
    }
}

function showConnection(star) {
    for (let k = 0; k < 3; ++k) {
        $(voltageLabels[k]).textContent = star ? starVoltage[k] : deltaVoltage[k];
        fillGaps($(loadRows[k]), star ? starLoad[k] : deltaLoad[k]);
        fillGaps($(shortRows[k]), star ? shortCircuit[k] : phaseBreak[k]);
        $(shunts[k]).disabled = !star;
    }
    $('Form3-CheckBox1').disabled = !star;
    $('Form3-Label9').textContent = star ? 'КЗ фазы' : 'Обрыв фазы нагрузки';
    syncNeutral();
    nameFields();
}

// onConnection(star) is told each time the user switches the connection; onExecute() runs the
// calculation from the form's own execute button; onEdit() is told of every change of what a run
// reads (a text, a tick, the connection), also of a text the assistant writes.
let edited = () => {};

export function initForm({ onConnection, onExecute, onEdit }) {
    edited = onEdit;
    for (let k = 0; k < 3; ++k) {
        $(voltageLabels[k]).textContent = initialVoltage[k];
        fillGaps($(loadRows[k]), starLoad[k]);
        fillGaps($(shortRows[k]), shortCircuit[k]);
    }
    fillGaps($('Form3-Label7'), neutralCaption);
    syncNeutral();
    nameFields();
    for (const id of textFields) {
        attachFilter($(id), numericKeyFilter);
        // Enter in a field runs, as on the desktop (and the phone keyboard's "go" key).
        $(id).enterKeyHint = 'go';
        $(id).addEventListener('keydown', (event) => {
            if (event.key === 'Enter' && !event.isComposing) {
                event.preventDefault();
                onExecute();
            }
        });
        $(id).addEventListener('input', () => edited());
    }
    for (let k = 1; k <= 7; ++k) {
        $('Form3-CheckBox' + k).addEventListener('change', () => edited());
    }
    $('Form3-RadioButton1').addEventListener('change', () => {
        showConnection(true);
        onConnection(true);
        edited();
    });
    $('Form3-RadioButton2').addEventListener('change', () => {
        showConnection(false);
        onConnection(false);
        edited();
    });
    $('Form3-CheckBox1').addEventListener('change', syncNeutral);
    $('Form3-SpeedButton6').addEventListener('click', onExecute);
}

// The execute button waits for the core.
export function enableExecute() {
    $('Form3-SpeedButton6').disabled = false;
}

// What the run reads: {texts, checks, star}.
export function readForm() {
    const checks = [];
    for (let k = 1; k <= 7; ++k) {
        checks.push($('Form3-CheckBox' + k).checked);
    }
    return { texts: textFields.map((id) => $(id).value), checks, star: isStar() };
}

// The assistant writes computed values into the form.
export function setFieldText(name, text) {
    $('Form3-' + name).value = text;
    edited();
}

// One line naming the circuit as entered, for the printed solution's title: the connection,
// the voltages, the loads, the neutral wire and the ticked emergency modes.
export function describeForm() {
    const star = isStar();
    const text = (name) => $('Form3-' + name).value;
    const names = star ? ['a', 'b', 'c'] : ['ab', 'bc', 'ca'];
    const voltages = [0, 1, 2].map((k) => `U${names[k]}=${text('ComboBox' + (k + 1))} ej${text('Edit' + (k + 1))}`);
    const loads = [0, 1, 2].map((k) => `R${names[k]}=${text('Edit' + (4 + 2 * k))} X${names[k]}=${text('Edit' + (5 + 2 * k))}`);
    const parts = [star ? 'ЗВЕЗДА' : 'ТРЕУГОЛЬНИК', voltages.join(', ') + ' (V)', loads.join(', ') + ' (Om)'];
    if (star && $('Form3-CheckBox1').checked) {
        parts.push(`нулевой провод R0=${text('Edit10')} (Om)`);
    }
    const phases = ['А', 'В', 'С'];
    const lines = ['АВ', 'ВС', 'СА'];
    for (let k = 0; k < 3; ++k) {
        if ($('Form3-CheckBox' + (k + 2)).checked) {
            parts.push(star ? `КЗ фазы ${phases[k]} (шунт ${text('Edit' + (11 + k))} Om)` : `обрыв фазы нагрузки ${lines[k]}`);
        }
    }
    for (let k = 0; k < 3; ++k) {
        if ($('Form3-CheckBox' + (k + 5)).checked) {
            parts.push(`обрыв линейного провода ${phases[k]}`);
        }
    }
    return 'Vornik: ' + parts.join('; ');
}
