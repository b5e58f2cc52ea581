// TForm3, the parameter form "Параметры  расчёта": captions that follow the connection, the
// neutral wire and the texts the run reads.
import { byId as $ } from './dom.js';
import { attachFilter, numericKeyFilter } from './filter.js';
import { fillGaps } from './gaps.js';

// Text fields and check boxes in the order the core numbers them, from the core's table.
let textFields = [];
let tickBoxes = [];

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

let connectionChanged = () => {};

export function initForm({ onConnection, onExecute, onEdit }) {
    edited = onEdit;
    connectionChanged = onConnection;
    for (let k = 0; k < 3; ++k) {
        $(voltageLabels[k]).textContent = initialVoltage[k];
        fillGaps($(loadRows[k]), starLoad[k]);
        fillGaps($(shortRows[k]), shortCircuit[k]);
    }
    fillGaps($('Form3-Label7'), neutralCaption);
    syncNeutral();
    nameFields();
    for (const input of document.querySelectorAll('input.num[id^="Form3-"]')) {
        attachFilter(input, numericKeyFilter);
        // Enter in a field runs, as on the desktop (and the phone keyboard's "go" key).
        input.enterKeyHint = 'go';
        input.addEventListener('keydown', (event) => {
            if (event.key === 'Enter' && !event.isComposing) {
                event.preventDefault();
                onExecute();
            }
        });
        input.addEventListener('input', () => edited());
    }
    for (const box of document.querySelectorAll('input[type="checkbox"][id^="Form3-CheckBox"]')) {
        box.addEventListener('change', () => edited());
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

// The core's table of the fields ({fields: [{control, initial, maxLength}], ticks: [{control}]}):
// the order the run reads them in, the length limits, and the initial texts of fields the
// student has not typed into while the core was loading.
export function applyFieldTable(table) {
    textFields = table.fields.map((f) => 'Form3-' + f.control);
    tickBoxes = table.ticks.map((t) => 'Form3-' + t.control);
    table.fields.forEach((f, k) => {
        const input = $(textFields[k]);
        input.maxLength = f.maxLength;
        if (input.value === '') {
            input.value = f.initial;
        }
    });
}

// Puts a task's {star, texts, checks} into the form as the student would type and tick them: the
// captions and the neutral wire's field follow the connection.
export function fillForm(task) {
    $(task.star ? 'Form3-RadioButton1' : 'Form3-RadioButton2').checked = true;
    textFields.forEach((id, k) => { $(id).value = task.texts[k]; });
    tickBoxes.forEach((id, k) => { $(id).checked = task.checks[k]; });
    showConnection(task.star);
    connectionChanged(task.star);
    edited();
}

// What the run reads: {texts, checks, star}.
export function readForm() {
    return { texts: textFields.map((id) => $(id).value), checks: tickBoxes.map((id) => $(id).checked),
        star: isStar() };
}

// The assistant writes computed values into the form.
export function setFieldText(name, text) {
    $('Form3-' + name).value = text;
    edited();
}
