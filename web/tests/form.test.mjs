// The forms as a student types into them: key filter, connection, the input assistant.
import { openPage, siteUrl } from './browser.mjs';
import { check, siteDir } from './context.mjs';
import { countDialogs, execute } from './page.mjs';

// Typing into the fields: digits, comma and minus pass, a full stop becomes a comma, the
// length limits hold (a character refused by a full field says how many the field holds); the
// precision boxes take 0 to 5.
export async function keys(browser) {
    const page = await openPage(browser, siteDir);
    await page.$eval('#Form4', (d) => { d.open = true; });
    await page.$eval('#Form8', (d) => { d.open = true; });
    const typeInto = async (id, text) => {
        await page.$eval(id, (e) => { e.value = ''; });
        await page.type(id, text);
        return page.$eval(id, (e) => [e.value, document.getElementById(e.id + '-hint')?.textContent ?? null]);
    };
    const full = (n) => `Поле вмещает не больше ${n} знак${n === 1 ? 'а' : 'ов'}`;
    const cases = [
        ['#Form3-Edit4', '1.5', '1,5', null], ['#Form3-Edit4', 'a1 b', '1', null], ['#Form3-Edit4', '-2.75', '-2,7', full(4)],
        ['#Form3-ComboBox1', '12345', '1234', full(4)], ['#Form3-Edit11', '0.0125', '0,012', full(5)],
        ['#Form3-Edit1', '+-,.', '-,,', null], ['#Form3-Edit4', '12a', '12', null],
        ['#Form4-ComboBox1', '7', '', null], ['#Form4-ComboBox1', '35', '3', full(1)], ['#Form4-ComboBox20', ',5', '5', null],
        ['#Form8-Edit3', '1.25e3', '1,253', null], ['#Form8-Edit2', '314.15927', '314,15927', null],
    ];
    for (const [id, typed, expected, hint] of cases) {
        const got = await typeInto(id, typed);
        check(JSON.stringify(got) === JSON.stringify([expected, hint]), `typing ${JSON.stringify(typed)} into ${id}`,
            `${JSON.stringify(got)}, expected ${JSON.stringify([expected, hint])}`);
    }
    await page.close();
}

// Star and delta relabel the form and enable what only one connection uses.
export async function connection(browser) {
    const page = await openPage(browser, siteDir);
    const state = () => page.evaluate(() => {
        const $ = (id) => document.getElementById(id);
        return {
            voltage: [$('Form3-Label3'), $('Form3-Label10'), $('Form3-Label11')].map((l) => l.textContent),
            load: ['Form3-Label4', 'Form3-Label5', 'Form3-Label6'].map((id) => $(id).dataset.caption),
            shorts: ['Form3-Caption2', 'Form3-Caption3', 'Form3-Caption4'].map((id) => $(id).dataset.caption),
            heading: $('Form3-Label9').textContent,
            neutralBox: !$('Form3-CheckBox1').disabled,
            r0: !$('Form3-Edit10').disabled,
            shunts: ['Form3-Edit11', 'Form3-Edit12', 'Form3-Edit13'].map((id) => !$(id).disabled),
            tick2: $('Form3-CheckBox2').checked,
            assistant: !$('Form8-Button2').disabled,
        };
    });
    await page.click('#Form3-CheckBox2');
    await page.click('#Form3-CheckBox1');
    check((await state()).r0, 'ticking the neutral wire enables R0');
    await page.click('#Form3-RadioButton2');
    const delta = await state();
    check(JSON.stringify(delta.voltage) === JSON.stringify(['Uаb=', 'Ubc=', 'Uca=']), 'delta voltage captions', JSON.stringify(delta.voltage));
    check(delta.load[0] === 'Rab=          Xab=           (Om)' && delta.load[2] === 'Rca=          Xca=           (Om)', 'delta load captions', JSON.stringify(delta.load));
    check(JSON.stringify(delta.shorts) === JSON.stringify(['фаза "АВ"', 'фаза "ВС"', 'фаза "СА"']) && delta.heading === 'Обрыв фазы нагрузки',
        'delta: the short-circuit boxes become load-phase breaks', JSON.stringify([delta.shorts, delta.heading]));
    check(!delta.neutralBox && !delta.r0 && delta.shunts.every((e) => !e) && delta.tick2 && !delta.assistant,
        'delta disables the neutral wire, R0, the shunts and the assistant\'s line voltage, keeping the ticks', JSON.stringify(delta));
    await page.click('#Form3-RadioButton1');
    const star = await state();
    check(JSON.stringify(star.voltage) === JSON.stringify([' Uа= ', ' Ub= ', ' Uc= ']) && star.load[1] === ' Rb=            Xb=            (Om)' &&
        star.shorts[0] === 'фаза "А"                 (Оm)' && star.heading === 'КЗ фазы', 'star captions again', JSON.stringify(star));
    check(star.neutralBox && star.r0 && star.shunts.every((e) => e) && star.assistant, 'star enables them again', JSON.stringify(star));
    await page.click('#Form3-CheckBox1');
    check(!(await state()).r0, 'unticking the neutral wire disables R0');
    await page.close();
}

// The assistant's worked values and its messages.
export async function assistant(browser) {
    const page = await openPage(browser, siteDir);
    await countDialogs(page);
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    await page.click('#Form8 summary');
    // The showing's work runs on the toggle event, a moment after the click.
    await page.waitForFunction(() => document.getElementById('Form8').open);
    await new Promise((r) => setTimeout(r, 50));
    const units = await page.evaluate(() => [1, 2, 3, 4, 5, 6].map((k) => document.getElementById('Form8-ComboBox' + k).value));
    check(JSON.stringify(units) === JSON.stringify(['мГн', 'мГн', 'мГн', 'мкФ', 'мкФ', 'мкФ']), 'showing the assistant selects мГн and мкФ', JSON.stringify(units));
    const set = (values) => page.evaluate((v) => {
        for (const [id, value] of Object.entries(v)) {
            const e = document.getElementById(id);
            if (e.tagName === 'SELECT') {
                e.selectedIndex = value;
            } else if (e.type === 'radio') {
                e.click();
            } else {
                e.value = value;
            }
        }
    }, values);
    const field = (id) => page.$eval(id, (e) => e.value ?? e.textContent);
    for (const [line, phase] of [['660', '381'], ['380', '219'], ['220', '127'], ['127', '73'], ['-660', '-381']]) {
        await set({ 'Form8-Edit1': line });
        await page.click('#Form8-Button1');
        check(await page.$eval('#Form8-Label1', (e) => e.textContent) === phase, `phase voltage of ${line}`);
    }
    await set({ 'Form8-Edit1': '380' });
    await page.click('#Form8-Button2');
    const voltages = await page.evaluate(() => [1, 2, 3].map((k) => document.getElementById('Form3-ComboBox' + k).value));
    check(voltages.every((v) => v === '219') && (await field('#Form3-Edit2')) === '-120', '"Задать" writes 219 into the three voltages only');
    const reactances = [
        [{ 'Form8-Edit3': '100', 'Form8-Edit4': '0' }, '#Form3-Edit5', '31,42'],
        [{ 'Form8-Edit5': '0', 'Form8-Edit6': '100' }, '#Form3-Edit7', '-31,83'],
        [{ 'Form8-Edit7': '100', 'Form8-Edit8': '100' }, '#Form3-Edit9', '-0,42'],
        [{ 'Form8-Edit3': '50', 'Form8-Edit4': '0' }, '#Form3-Edit5', '15,71'],
        [{ 'Form8-Edit5': '-0', 'Form8-Edit6': '-10' }, '#Form3-Edit7', '-318,31'],
        [{ 'Form8-RadioButton2': true, 'Form8-Edit2': '314,15927', 'Form8-Edit7': '100', 'Form8-Edit8': '100' }, '#Form3-Edit9', '-0,42'],
    ];
    for (const [values, target, expected] of reactances) {
        await set(values);
        await page.click({ '#Form3-Edit5': '#Form8-Button3', '#Form3-Edit7': '#Form8-Button4', '#Form3-Edit9': '#Form8-Button5' }[target]);
        check(await field(target) === expected, `reactance ${JSON.stringify(values)}`, `${await field(target)}, expected ${expected}`);
    }
    check(await page.$eval('#Form8-Label5', (e) => e.textContent) === ' (1/c) ', 'angular frequency unit');
    const messages = [
        [{ 'Form8-Edit3': '0', 'Form8-Edit4': '0' }, 'Введите значения!!!'],
        [{ 'Form8-Edit3': '5', 'Form8-ComboBox1': -1 }, 'Укажите велечину индуктивности!'],
        [{ 'Form8-Edit3': '0', 'Form8-Edit4': '3', 'Form8-ComboBox4': -1 }, 'Укажите велечину ёмкости!'],
        [{ 'Form8-Edit3': '1,2,', 'Form8-Edit4': '3' }, "'1,2,' is not a valid floating point value."],
    ];
    for (const [values, text] of messages) {
        await set({ 'Form3-Edit5': 'kept', 'Form8-ComboBox1': 1, 'Form8-ComboBox4': 2 });
        await set(values);
        const before = await page.evaluate(() => window.vornikDialogs);
        await page.click('#Form8-Button3');
        const shown = await page.evaluate(() => [document.getElementById('vornik-message-text').textContent, window.vornikDialogs]);
        check(shown[0] === text && shown[1] - before === 1, `assistant message ${text}`, JSON.stringify(shown));
        await page.click('#vornik-message-ok');
        check(await field('#Form3-Edit5') === 'kept', `after "${text}" the form keeps its value`);
    }
    await page.click('#Form3-RadioButton2');
    check(await page.$eval('#Form8-Button1', (b) => b.disabled), 'delta disables "Рассчитать"');
    await page.close();
}

// The keyboard alone: fields in tab order, the execute button, the message closed with Enter,
// the diagram's buttons with the arrow keys.
export async function keyboard(browser) {
    const page = await openPage(browser, siteDir);
    await page.focus('#Form3-Edit3');
    // A field reached by Tab has its text selected, so typing replaces it.
    for (const key of ['Tab', '1', '0', 'Tab', 'Tab', '2', '0', 'Tab', 'Tab', '3', '0']) {
        await page.keyboard.press(key);
    }
    const loads = await page.evaluate(() => ['Edit4', 'Edit6', 'Edit8'].map((f) => document.getElementById('Form3-' + f).value));
    check(JSON.stringify(loads) === JSON.stringify(['10', '20', '30']), 'Tab walks R and X of each phase', JSON.stringify(loads));
    await page.focus('#Form3-SpeedButton6');
    await page.keyboard.press('Enter');
    const lines = await page.$$eval('#Form2-RichEdit1 > *', (b) => b.length);
    check(lines > 50, 'Enter on the execute button runs the calculation', `${lines} lines`);
    await page.focus('#Form7-RadioButton1');
    await page.keyboard.press('ArrowDown');
    const drawn = await page.evaluate(() => [document.getElementById('Form7-RadioButton2').checked,
        window.vornikHooks.diagramOps.filter((o) => o.op === 'text').map((o) => o.text)]);
    check(drawn[0] && drawn[1].includes('Ia'), 'an arrow key selects and draws the currents', JSON.stringify(drawn));
    await page.$eval('#Form3-Edit4', (e) => { e.value = '0'; });
    await page.focus('#Form3-SpeedButton6');
    await page.keyboard.press('Enter');
    const focused = await page.evaluate(() => document.activeElement.id);
    await page.keyboard.press('Enter');
    const open = await page.$eval('#vornik-message', (d) => d.open);
    check(focused === 'vornik-message-ok' && !open, 'the message takes the focus and Enter closes it', JSON.stringify([focused, open]));
    await page.close();
}

// After a run, any change of what a run reads and any run that stops without storing results
// mark the report and the diagram as belonging to earlier data, until a run stores results again.
export async function staleResults(browser) {
    const click = (id) => (page) => page.click('#' + id);
    const typeInto = (id, text) => async (page) => {
        await page.$eval('#' + id, (e) => { e.closest('details')?.setAttribute('open', ''); });
        await page.click('#' + id, { clickCount: 3 });
        await page.type('#' + id, text);
    };
    const setText = (id, text) => (page) => page.$eval('#' + id, (e, t) => { e.value = t; }, text);
    const run = async (page) => {
        await page.click('#Form1-SpeedButton1');
        if (await page.$eval('#vornik-message', (d) => d.open)) {
            await page.click('#vornik-message-ok');
        }
    };
    const openAssistant = (page) => page.$eval('#Form8', (d) => { d.open = true; });
    // [what, a run first, the steps, marked afterwards]
    const cases = [
        ['typing a digit into a field', true, [typeInto('Form3-Edit5', '5')], true],
        ['ticking a mode', true, [click('Form3-CheckBox5')], true],
        ['switching the connection', true, [click('Form3-RadioButton2')], true],
        ['a precision box', true, [typeInto('Form4-ComboBox1', '2')], true],
        ['the assistant writing the voltages', true, [openAssistant, click('Form8-Button2')], true],
        ['a run stopped with a message', true, [setText('Form3-Edit4', '0'), run], true],
        ['typing before any run', false, [typeInto('Form3-Edit5', '5')], false],
    ];
    const state = (page) => page.evaluate(() => {
        const $ = (id) => document.getElementById(id);
        const note = $('Form2-Stale');
        return {
            note: note.textContent, shown: note.offsetHeight > 0, role: note.getAttribute('role'),
            diagramNote: $('Form7-Stale').textContent,
            report: $('Form2-RichEdit1').classList.contains('stale'),
            described: $('Form2-RichEdit1').getAttribute('aria-describedby'),
            picture: $('Form7-Image1').classList.contains('stale'),
        };
    });
    const staleText = 'Результаты относятся к прежним данным — нажмите ВЫПОЛНИТЬ, чтобы пересчитать.';
    for (const [what, runFirst, steps, marked] of cases) {
        const page = await openPage(browser, siteDir);
        await page.evaluate(() => ['Edit4', 'Edit6', 'Edit8'].forEach((f) => {
            document.getElementById('Form3-' + f).value = '10';
        }));
        if (runFirst) {
            await run(page);
        }
        for (const step of steps) {
            await step(page);
        }
        const after = await state(page);
        const stale = after.note === staleText && after.shown && after.role === 'status' && after.diagramNote === staleText &&
            after.report && after.described === 'Form2-Stale' && after.picture;
        const fresh = after.note === '' && !after.shown && after.diagramNote === '' && !after.report && !after.picture;
        check(marked ? stale : fresh, `${what}: ${marked ? '' : 'not '}marked as earlier data`, JSON.stringify(after));
        if (marked) {
            await setText('Form3-Edit4', '10')(page);
            await run(page);
            const again = await state(page);
            check(again.note === '' && !again.report && !again.picture, `${what}: the next run clears the mark`,
                JSON.stringify(again));
        }
        await page.close();
    }
}

// After a message about a text that is no number, the cursor is in that text's field with the
// text selected, also in a folded section; after "Сопротивление не может быть равно нулю!" in the
// first field whose resistance is zero; other messages leave the fields alone.
export async function failingFieldFocus(browser) {
    const page = await openPage(browser, siteDir);
    // [what, field texts to set, ticks to click, the button pressed, the field then focused or null]
    const cases = [
        ['a resistance', { 'Form3-Edit4': '1,2,' }, [], 'Form1-SpeedButton1', 'Form3-Edit4'],
        ['the shunt of a ticked short circuit', { 'Form3-Edit12': ',5,' }, ['Form3-CheckBox3'], 'Form1-SpeedButton1',
            'Form3-Edit12'],
        ['a precision box', { 'Form4-ComboBox5': '-' }, [], 'Form1-SpeedButton1', 'Form4-ComboBox5'],
        ['a zero resistance', { 'Form3-Edit4': '0' }, [], 'Form1-SpeedButton1', 'Form3-Edit4',
            'Сопротивление не может быть равно нулю!'],
        ['the first of two zero resistances', { 'Form3-Edit6': '0', 'Form3-Edit8': '0' }, [], 'Form1-SpeedButton1',
            'Form3-Edit6', 'Сопротивление не может быть равно нулю!'],
        ['a division by zero', { 'Form3-Edit4': '0', 'Form3-Edit5': '10', 'Form3-Edit6': '0', 'Form3-Edit7': '-20',
            'Form3-Edit8': '0', 'Form3-Edit9': '-20' }, [], 'Form1-SpeedButton1', null],
        ['the assistant\'s line voltage', { 'Form8-Edit1': '6,,' }, [], 'Form8-Button1', 'Form8-Edit1'],
        ['the assistant\'s capacitance', { 'Form8-Edit6': '1-' }, [], 'Form8-Button4', 'Form8-Edit6'],
        ['the assistant\'s frequency', { 'Form8-Edit3': '10', 'Form8-Edit2': '5,0,' }, [], 'Form8-Button3', 'Form8-Edit2'],
        ['an assistant message about no field', { 'Form8-Edit3': '0', 'Form8-Edit4': '0' }, [], 'Form8-Button3', null],
    ];
    for (const [what, texts, ticks, button, field, text] of cases) {
        await page.reload();
        await page.waitForSelector('body[data-ready="true"]');
        await page.evaluate((t) => {
            ['Edit4', 'Edit6', 'Edit8'].forEach((f) => { document.getElementById('Form3-' + f).value = '10'; });
            for (const [id, text] of Object.entries(t)) {
                document.getElementById(id).value = text;
            }
        }, texts);
        for (const tick of ticks) {
            await page.click('#' + tick);
        }
        if (button.startsWith('Form8')) {
            await page.$eval('#Form8', (d) => { d.open = true; });
        }
        await page.click('#' + button);
        const message = await page.$eval('#vornik-message-text', (e) => e.textContent);
        await page.click('#vornik-message-ok');
        await new Promise((r) => setTimeout(r, 50));
        const focus = await page.evaluate(() => {
            const e = document.activeElement;
            return { id: e.id, tag: e.tagName, selected: e.tagName === 'INPUT' && e.selectionStart === 0 && e.selectionEnd === e.value.length,
                folded: e.closest('details') !== null && !e.closest('details').open };
        });
        if (field === null) {
            check(focus.tag !== 'INPUT', `${what}: no field takes the cursor`, JSON.stringify([message, focus]));
        } else {
            check(focus.id === field && focus.selected && !focus.folded && message.includes(text ?? texts[field]),
                `${what}: the cursor is in ${field} with its text selected`, JSON.stringify([message, focus]));
        }
    }
    await page.close();
}

// Very long texts and failures inside the core: each ends in one message, and the page keeps
// working; every field has a length limit, as on the desktop.
export async function coreFailures(browser) {
    const digits = '6'.repeat(6000000);
    const setValue = (id, text) => (page) => page.$eval('#' + id, (e, t) => { e.value = t; }, text);
    // A text past the field's limit, as a script could set it; the field is hidden meanwhile so
    // the browser need not lay out millions of characters.
    const setLongValue = (id, text) => (page) => page.$eval('#' + id, (e, t) => {
        e.style.display = 'none';
        e.value = t;
    }, text);
    const pasteInto = (id, text) => async (page) => {
        await page.click('#' + id, { clickCount: 3 });
        await page.keyboard.sendCharacter(text);
    };
    const click = (id) => (page) => page.click('#' + id);
    const openAssistant = (page) => page.$eval('#Form8', (d) => { d.open = true; });
    // The first core loaded fails in every run, as one broken by a trap inside WebAssembly would;
    // a core loaded afresh works.
    const failingCore = () => {
        let real;
        let loaded = 0;
        Object.defineProperty(globalThis, 'VornikCore', {
            configurable: true,
            get: () => async (...args) => {
                const m = await real(...args);
                if (loaded++ === 0) {
                    m._vk_run = () => {
                        throw new WebAssembly.RuntimeError('memory access out of bounds');
                    };
                }
                return m;
            },
            set: (v) => { real = v; },
        });
    };
    const notNumber = (text) => `'${text}' is not a valid floating point value.`;
    // [what, injected before the page loads, steps, the one message, or null for none and the
    // assistant's phase voltage then shown]
    const cases = [
        ['6,000,000 digits pasted into the frequency, then "Задать"', null,
            [openAssistant, pasteInto('Form8-Edit2', digits), setValue('Form8-Edit3', '10'), click('Form8-Button3')],
            notNumber(digits.slice(0, 32767))],
        ['6,000,000 digits past the limit of a field the run does not read', null,
            [setLongValue('Form3-Edit11', digits), click('Form1-SpeedButton1')], null],
        ['6,000,000 zeros before the assistant\'s line voltage', null,
            [openAssistant, setLongValue('Form8-Edit1', '0'.repeat(6000000) + '660'), click('Form8-Button1')], null],
        ['a failure inside the core during a run', failingCore, [click('Form1-SpeedButton1')],
            'RuntimeError: memory access out of bounds'],
    ];
    for (const [what, inject, steps, message] of cases) {
        const page = await browser.newPage();
        const errors = [];
        page.on('pageerror', (e) => errors.push(e.message));
        await countDialogs(page);
        if (inject) {
            await page.evaluateOnNewDocument(inject);
        }
        await page.goto(siteUrl(siteDir));
        await page.waitForSelector('body[data-ready="true"]');
        await page.evaluate(() => ['Edit4', 'Edit6', 'Edit8'].forEach((f) => {
            document.getElementById('Form3-' + f).value = '10';
        }));
        for (const step of steps) {
            await step(page);
        }
        const shown = await page.evaluate(() => [document.getElementById('vornik-message-text').textContent, window.vornikDialogs,
            document.getElementById('Form8-Label1').textContent]);
        if (message === null) {
            check(shown[1] === 0 && shown[2] === '381' && errors.length === 0, `${what}: no message`,
                JSON.stringify([shown[1], shown[0].slice(0, 80), shown[2], errors]));
            await page.close();
            continue;
        }
        check(shown[0] === message && shown[1] === 1, `${what}: one message`, `${shown[1]} dialogs: ${shown[0].slice(0, 80)}`);
        if (await page.$eval('#vornik-message', (d) => d.open)) {
            await page.click('#vornik-message-ok');
        }
        // Then a normal run.
        await new Promise((r) => setTimeout(r, 100));
        await setValue('Form3-Edit4', '10')(page);
        const got = await execute(page);
        check(got.message === null && got.lines.length > 50 && errors.length === 0, `${what}: a normal run afterwards`,
            JSON.stringify([got.message, got.lines.length, errors]));
        await page.close();
    }

    const page = await openPage(browser, siteDir);
    // A read-only field (the share link shown for copying) takes no typing.
    const unlimited = await page.$$eval('input:not([type=checkbox]):not([type=radio])', (fields) =>
        fields.filter((f) => !(f.maxLength > 0) && !f.readOnly).map((f) => f.id));
    check(unlimited.length === 0, 'every field a student types into has a length limit', JSON.stringify(unlimited));
    await page.close();
}
