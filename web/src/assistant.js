// TForm8, "Настройка вводимых параметров": phase voltage from line voltage and the reactance of
// each load phase from L, C and the frequency, written into the parameter form.
import { showMessage } from './dialog.js';
import { byId as $, element, focusField } from './dom.js';
import { attachFilter, numericKeyFilter } from './filter.js';
import { setFieldText } from './form.js';

const inductanceUnits = ['Гн', 'мГн', 'мкГн'];
const capacitanceUnits = ['Ф', 'мФ', 'мкФ', 'нФ'];
const milliHenry = 1;
const microFarad = 2;
// Per phase: title, inductance field and unit, capacitance field and unit, button, the form's X.
const phases = [
    ['  Фаза А  ', 'Edit3', 'ComboBox1', 'Edit4', 'ComboBox4', 'Button3', 'Edit5'],
    ['  Фаза В ', 'Edit5', 'ComboBox2', 'Edit6', 'ComboBox5', 'Button4', 'Edit7'],
    ['  Фаза С  ', 'Edit7', 'ComboBox3', 'Edit8', 'ComboBox6', 'Button5', 'Edit9'],
];

function unitList(id, units, label) {
    const list = element('select', { id: 'Form8-' + id });
    list.setAttribute('aria-label', label);
    list.append(...units.map((u) => new Option(u)));
    list.selectedIndex = -1;
    return list;
}

function buildPhases(onSet) {
    const host = $('Form8-phases');
    for (const [title, lId, lUnit, cId, cUnit, buttonId] of phases) {
        const group = element('fieldset', { className: 'phase' }, element('legend', { className: 'pre', textContent: title }));
        const l = element('input', { id: 'Form8-' + lId, className: 'num', value: '0', maxLength: 6 });
        const c = element('input', { id: 'Form8-' + cId, className: 'num', value: '0', maxLength: 6 });
        l.setAttribute('aria-label', title.trim() + ': Индуктивность ( L )');
        c.setAttribute('aria-label', title.trim() + ': Ёмкость ( С )');
        // L and C are never negative: the phone's number keyboard with its decimal separator.
        l.inputMode = 'decimal';
        c.inputMode = 'decimal';
        attachFilter(l, numericKeyFilter);
        attachFilter(c, numericKeyFilter);
        const button = element('button', { id: 'Form8-' + buttonId, type: 'button', textContent: 'Задать' });
        group.append(
            element('div', { className: 'pre caption', textContent: '  Индуктивность ( L )       Ёмкость ( С )' }),
            element('div', { className: 'row wrap' }, l, unitList(lUnit, inductanceUnits, title.trim() + ': L'),
                c, unitList(cUnit, capacitanceUnits, title.trim() + ': C'), button));
        button.addEventListener('click', () => onSet(lId, lUnit, cId, cUnit));
        host.append(group);
    }
}

// Enabled only while the parameter form's star connection is selected.
export function enableLineVoltageSection(enabled) {
    for (const id of ['Form8-Edit1', 'Form8-Button1', 'Form8-Button2']) {
        $(id).disabled = !enabled;
    }
    $('Form8-Label1').classList.toggle('disabled', !enabled);
}

// Each showing selects мГн and мкФ again, whatever the user chose before.
function formShow(star) {
    for (const [, , lUnit, , cUnit] of phases) {
        $('Form8-' + lUnit).selectedIndex = milliHenry;
        $('Form8-' + cUnit).selectedIndex = microFarad;
    }
    enableLineVoltageSection(star());
}

export function initAssistant(core, star) {
    buildPhases((lId, lUnit, cId, cUnit) => {
        const target = phases.find((p) => p[1] === lId)[6];
        const answer = core()?.reactance($('Form8-' + lId).value, $('Form8-' + lUnit).selectedIndex,
            $('Form8-' + cId).value, $('Form8-' + cUnit).selectedIndex, $('Form8-Edit2').value,
            $('Form8-RadioButton2').checked);
        // Nothing before the core is loaded, or after a failure inside it (already reported).
        if (!answer) {
            return;
        }
        if (answer.message !== undefined) {
            // After a text that is no number the cursor goes to its field.
            const field = { inductance: lId, capacitance: cId, frequency: 'Edit2' }[answer.field];
            showMessage(answer.message).then(() => field && focusField('Form8-' + field));
            return;
        }
        setFieldText(target, answer.text);
    });
    attachFilter($('Form8-Edit1'), numericKeyFilter);
    attachFilter($('Form8-Edit2'), numericKeyFilter);
    const phaseVoltage = () => {
        const answer = core()?.phaseVoltage($('Form8-Edit1').value);
        if (!answer) {
            return null;
        }
        if (answer.message !== undefined) {
            showMessage(answer.message).then(() => focusField(answer.field));
            return null;
        }
        $('Form8-Label1').textContent = answer.text;
        return answer.text;
    };
    $('Form8-Button1').addEventListener('click', phaseVoltage);
    $('Form8-Button2').addEventListener('click', () => {
        const text = phaseVoltage();
        if (text !== null) {
            ['ComboBox1', 'ComboBox2', 'ComboBox3'].forEach((name) => setFieldText(name, text));
        }
    });
    $('Form8-RadioButton1').addEventListener('change', () => { $('Form8-Label5').textContent = ' (Гц) '; });
    $('Form8-RadioButton2').addEventListener('change', () => { $('Form8-Label5').textContent = ' (1/c) '; });
    $('Form8').addEventListener('toggle', () => {
        if ($('Form8').open) {
            formShow(star);
        }
    });
}
