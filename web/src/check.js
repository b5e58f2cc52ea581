// "Проверить себя": the student solves the task on paper and types the key quantities of every
// mode; the core marks each one (right, right carried forward from the student's own earlier
// answers, a named typical mistake, wrong, no answer). Next to a wrong answer one section of the
// worked solution can be shown; showing the whole solution is recorded with the answers. The
// answers stay in this browser's storage across reloads and can be saved as an answers file.
// The task being checked stays in the parameter form, which is locked meanwhile. Nothing here
// leaves the device.
import { showMessage } from './dialog.js';
import { byId, element } from './dom.js';
import { readForm } from './form.js';
import { readPrecision } from './precision.js';
import { pickFile, saveFile } from './save.js';

const storageKey = 'vornik-check';
// The fields a random task draws when the student gives no ranges of their own.
const defaultRanges = 'r1=5..30/1 x1=-20..20/1 r2=5..30/1 x2=-20..20/1 r3=5..30/1 x3=-20..20/1';
const icons = { right: '✓', carried: '✓', mistake: '✗', wrong: '✗', missing: '—', unreadable: '?' };

// The session: the task checked ({title, note, star, texts, checks, precision}, as the task
// reader gives it), its sheet, the answers typed ({mode: {quantity: text}}), the sections shown,
// whether the whole solution was shown and whether the answers were marked.
let session = null;

const sameTask = (a, b) => JSON.stringify([a.star, a.texts, a.checks, a.precision])
    === JSON.stringify([b.star, b.texts, b.checks, b.precision]);

const fieldId = (mode, quantity) => `Check-${mode}-${quantity}`;
const stepId = (mode, section) => `Check-${mode}-step-${section.replace(/\s+/g, '_')}`;
// A step is named by its number; a part of the solution without numbered sections (a delta load
// phase break) names its sections by their headings.
const stepName = (section) => (/^\d+$/.test(section) ? `шаг ${section}` : `шаг «${section}»`);

// What the browser keeps of the session: the task as its task file's text (read back by the
// core, so a damaged copy is refused like any task file), the student, the answers as typed, the
// sections shown and whether the answers were marked.
function store() {
    try {
        if (session) {
            const { taskText, student, group, answers, revealed, marked } = session;
            localStorage.setItem(storageKey, JSON.stringify({ taskText, student, group, answers, revealed, marked,
                active: true }));
        }
    } catch {
        // Storage may be refused (a private window, a full quota): the answers then live as long as the page.
    }
}

// The kept session with only what has the expected shape (another version of the page, or a hand,
// may have written anything there).
function stored() {
    let kept = null;
    try {
        kept = JSON.parse(localStorage.getItem(storageKey) ?? 'null');
    } catch {
        return null;
    }
    if (typeof kept !== 'object' || kept === null) {
        return null;
    }
    const text = (v) => (typeof v === 'string' ? v : '');
    const answers = {};
    for (const [mode, quantities] of Object.entries(typeof kept.answers === 'object' && kept.answers ? kept.answers : {})) {
        if (typeof quantities === 'object' && quantities) {
            answers[mode] = Object.fromEntries(Object.entries(quantities).filter(([, t]) => typeof t === 'string'));
        }
    }
    const sections = Array.isArray(kept.revealed?.sections) ? kept.revealed.sections : [];
    return {
        taskText: text(kept.taskText), student: text(kept.student), group: text(kept.group), answers,
        revealed: { sections: sections.filter((r) => typeof r?.mode === 'string' && typeof r?.section === 'string'),
            solution: kept.revealed?.solution === true },
        marked: kept.marked === true, active: kept.active === true,
    };
}

function forget() {
    try {
        const kept = stored();
        if (kept) {
            localStorage.setItem(storageKey, JSON.stringify({ ...kept, active: false }));
        }
    } catch {
        // As above.
    }
}

// The words of a mark, with its icon apart for the eye only.
function markContent(mark, words) {
    const unreadable = mark.verdict === 'missing' && mark.hint;
    const kind = unreadable ? 'unreadable' : mark.verdict;
    let text = words[mark.verdict] ?? mark.verdict;
    if (unreadable) {
        text = mark.hint;
    } else if (mark.verdict === 'mistake') {
        text += `: ${mark.mistakeName}. ${mark.explanation}`;
    }
    return { kind, nodes: [element('span', { className: 'icon', ariaHidden: 'true', textContent: icons[kind] }), ' ' + text] };
}

// getCore() gives the core; execute() runs the form's task and shows the solution; taskFile.show(task,
// name) puts a task into the form as an opened task file, taskFile.names() gives the title and
// note of the task in the form.
export function initCheck({ getCore, execute, taskFile }) {
    const panel = byId('Check');
    const startButton = byId('Check-Start');
    const status = byId('Check-Status');
    byId('Check-Ranges').value = defaultRanges;

    const core = () => getCore();
    // Every call that runs the checked task sets it as the core's inputs first: the form's
    // execute command shares them.
    const useTask = (task) => core().setInputs({ texts: task.texts, checks: task.checks, star: task.star }, task.precision);
    const formTask = () => {
        const form = readForm();
        return { ...taskFile.names(), star: form.star, texts: form.texts, checks: form.checks, precision: readPrecision() };
    };

    // The task of a kept session, or null when its text is no task.
    const keptTaskOf = (kept) => {
        const answer = kept.taskText ? core().readTask(new TextEncoder().encode(kept.taskText), 'сохранённая проверка') : null;
        return answer?.task ?? null;
    };

    const announce = (text) => {
        // Emptied first, so the same words after the next check are read again.
        status.textContent = '';
        setTimeout(() => { status.textContent = text; }, 100);
    };

    function setMode(on) {
        document.body.classList.toggle('checking', on);
        document.body.classList.toggle('solution-shown', on && session.revealed.solution);
        panel.hidden = !on;
        startButton.setAttribute('aria-pressed', String(on));
        byId('Form3').inert = on;
        byId('Check-Locked').hidden = !on;
    }

    // The section lines of one step, under the row that asked for it.
    function showStep(mode, section, row, focus) {
        const id = stepId(mode, section);
        let block = byId(id);
        if (!block) {
            useTask(session.task);
            const answer = core().checkSection(mode, section);
            if (!answer) {
                return;
            }
            block = element('div', { id, className: 'step', tabIndex: -1 },
                element('p', { className: 'step-head', textContent: `Решение, ${stepName(section)}` }),
                ...answer.lines.map((line) => element('div', { textContent: line || '\u00a0' })));
            block.setAttribute('role', 'region');
            block.setAttribute('aria-label', `Решение, ${stepName(section)}`);
            row.after(block);
            if (!session.revealed.sections.some((s) => s.mode === mode && s.section === section)) {
                session.revealed.sections.push({ mode, section });
                store();
            }
        }
        if (focus) {
            block.focus();
        }
    }

    // One mode's fields: label, answer, unit, then the mark and the step's button once marked.
    function modeBlock(mode) {
        const block = element('fieldset', { className: 'check-mode', id: `Check-${mode.mode}` },
            element('legend', { textContent: mode.caption }));
        for (const q of mode.quantities) {
            const id = fieldId(mode.mode, q.quantity);
            const input = element('input', { id, className: 'answer', autocomplete: 'off', spellcheck: false,
                enterKeyHint: 'done', value: session.answers[mode.mode]?.[q.quantity] ?? '' });
            // The decimal keyboard has no "-", "j" or "∠": only a value that cannot be negative gets it.
            input.inputMode = q.nonNegative ? 'decimal' : 'text';
            input.setAttribute('aria-describedby', `${id}-unit ${id}-mark`);
            input.addEventListener('input', () => {
                (session.answers[mode.mode] ??= {})[q.quantity] = input.value;
                clearMark(mode.mode, q.quantity);
                store();
            });
            input.addEventListener('keydown', (event) => {
                if (event.key === 'Enter' && !event.isComposing) {
                    event.preventDefault();
                    mark();
                }
            });
            const row = element('div', { className: 'check-row', id: `${id}-row` },
                element('label', { htmlFor: id, className: 'quantity', textContent: q.label }),
                input,
                element('span', { id: `${id}-unit`, className: 'unit', textContent: q.unit }),
                element('span', { id: `${id}-mark`, className: 'mark' }));
            row.dataset.section = q.section;
            block.append(row);
        }
        block.append(element('p', { className: 'score', id: `Check-${mode.mode}-score` }));
        return block;
    }

    function clearMark(mode, quantity) {
        const id = fieldId(mode, quantity);
        byId(`${id}-mark`).replaceChildren();
        byId(`${id}-mark`).className = 'mark';
        byId(`${id}-step`)?.remove();
        byId(id).removeAttribute('aria-invalid');
    }

    function render() {
        const sheet = byId('Check-Sheet');
        sheet.replaceChildren(...session.sheet.modes.map(modeBlock));
        byId('Check-Student').value = session.student;
        byId('Check-Group').value = session.group;
        byId('Check-Title').textContent = session.task.title ? `Задача: ${session.task.title}` : '';
        for (const { mode, section } of [...session.revealed.sections]) {
            const row = sheet.querySelector(`#Check-${CSS.escape(mode)} .check-row[data-section="${CSS.escape(section)}"]`);
            if (row) {
                showStep(mode, section, row, false);
            }
        }
        noteSolution();
    }

    function noteSolution() {
        byId('Check-SolutionNote').textContent = session.revealed.solution
            ? 'Решение показано — это записано вместе с ответами.' : '';
    }

    // "Проверить": every field marked, the score per mode and for the task, the total announced.
    function mark() {
        if (!session) {
            return;
        }
        useTask(session.task);
        const marks = core().checkMark(session.answers);
        const words = core().checkVerdicts();
        if (!marks || !words) {
            return;
        }
        for (const m of marks.answers) {
            const id = fieldId(m.mode, m.quantity);
            const place = byId(`${id}-mark`);
            if (!place) {
                continue;
            }
            const { kind, nodes } = markContent(m, words);
            place.className = `mark ${kind}`;
            place.replaceChildren(...nodes);
            byId(id).setAttribute('aria-invalid', String(m.verdict === 'wrong' || m.verdict === 'mistake'));
            byId(`${id}-step`)?.remove();
            if (m.verdict === 'wrong' || m.verdict === 'mistake') {
                const row = byId(`${id}-row`);
                const button = element('button', { type: 'button', id: `${id}-step`, className: 'step-button',
                    textContent: `Показать ${stepName(m.section)}` });
                button.addEventListener('click', () => showStep(m.mode, m.section, row, true));
                place.after(button);
            }
        }
        for (const s of marks.modes) {
            const place = byId(`Check-${s.mode}-score`);
            if (place) {
                place.textContent = scoreText(s);
            }
        }
        session.marked = true;
        store();
        announce(`Проверено. ${scoreText(marks.score)}`);
    }

    const scoreText = (s) => `Засчитано ${s.right + s.carried} из ${s.total}`
        + (s.carried > 0 ? ` (из них с учётом ошибки выше: ${s.carried})` : '') + '.';

    // Starts checking `task` (the form already shows it), with the answers kept for the same task
    // or those of `given` (an opened answers file). A task whose run stops is not checked: its
    // message is shown instead.
    function start(task, given = null) {
        if (!core()) {
            return false;
        }
        useTask(task);
        const sheet = core().checkSheet();
        if (!sheet) {
            return false;
        }
        if (!sheet.modes) {
            showMessage(sheet.message);
            return false;
        }
        const taskText = core().writeTask(task.title ?? '', task.note ?? '');
        const kept = stored();
        const keptTask = kept ? keptTaskOf(kept) : null;
        const base = given ?? (keptTask && sameTask(keptTask, task) ? kept
            : { student: kept?.student ?? '', group: kept?.group ?? '' });
        session = {
            task, taskText, sheet,
            student: base.student ?? '', group: base.group ?? '',
            answers: base.answers ?? {},
            revealed: { sections: [...(base.revealed?.sections ?? [])], solution: Boolean(base.revealed?.solution) },
            marked: Boolean(base.marked),
        };
        status.textContent = '';
        setMode(true);
        render();
        store();
        if (session.marked) {
            mark();
        }
        if (session.revealed.solution) {
            execute();
        }
        return true;
    }

    function stop() {
        setMode(false);
        session = null;
        forget();
    }

    startButton.addEventListener('click', () => {
        if (session) {
            stop();
        } else if (start(formTask())) {
            byId('Check-Sheet').querySelector('input')?.focus();
        }
    });
    byId('Check-Stop').addEventListener('click', () => {
        stop();
        startButton.focus();
    });
    byId('Check-Mark').addEventListener('click', mark);
    byId('Check-ShowSolution').addEventListener('click', () => {
        session.revealed.solution = true;
        store();
        noteSolution();
        document.body.classList.add('solution-shown');
        execute();
    });
    for (const [id, key] of [['Check-Student', 'student'], ['Check-Group', 'group']]) {
        byId(id).addEventListener('input', () => {
            session[key] = byId(id).value;
            store();
        });
    }

    // A task file to check: the form shows it, then its sheet.
    byId('Check-OpenTask').addEventListener('click', () => pickFile('.vornik,application/x-vornik-task,application/json',
        async (bytes, name) => {
            const answer = core().readTask(bytes, name);
            if (answer.error) {
                await showMessage(answer.error);
                return;
            }
            taskFile.show(answer.task, name);
            start(answer.task);
            if (answer.warning) {
                await showMessage(answer.warning);
            }
        }));
    byId('Check-OpenAnswers').addEventListener('click', () => pickFile('.vornik-answers,application/json',
        async (bytes, name) => {
            const answer = core().readAnswers(bytes, name);
            if (answer.error) {
                await showMessage(answer.error);
                return;
            }
            const file = answer.file;
            taskFile.show(file.task, name);
            start(file.task, { ...file, marked: false });
        }));
    byId('Check-SaveAnswers').addEventListener('click', () => {
        useTask(session.task);
        const text = core().writeAnswers({ title: session.task.title, note: session.task.note, student: session.student,
            group: session.group, answers: session.answers, revealed: session.revealed,
            saved: new Date().toISOString().replace(/\.\d+Z$/, 'Z') });
        if (text) {
            const name = [session.task.title, session.student].filter(Boolean).join(' - ') || 'ответы';
            saveFile(new TextEncoder().encode(text), `${name}.vornik-answers`, 'application/json');
        }
    });
    // "Случайная задача": the form's task with the fields of the ranges drawn at random, one that
    // runs to its end.
    byId('Check-Random').addEventListener('click', async () => {
        const base = session ? session.task : formTask();
        useTask(base);
        const seed = crypto.getRandomValues(new Uint32Array(2));
        const answer = core().randomTask(byId('Check-Ranges').value,
            (BigInt(seed[0]) << 32n | BigInt(seed[1])).toString());
        if (!answer) {
            return;
        }
        if (answer.error) {
            await showMessage(answer.error);
            return;
        }
        const task = { ...answer.task, title: '', note: '' };
        taskFile.show(task, 'случайная задача');
        start(task);
    });

    return {
        active: () => session !== null,
        // The page is loaded: a check that was open before the reload comes back with its answers.
        ready() {
            const kept = stored();
            const task = kept?.active ? keptTaskOf(kept) : null;
            if (task) {
                taskFile.show(task, null);
                start(task);
            }
        },
        // A task link with &check=1: the form shows the task, and it is checked.
        start: (task) => start(task),
        // Another task opened into the form: the check in progress ends (its answers stay stored).
        stop() {
            if (session) {
                stop();
            }
        },
        // The execute command while checking shows the whole solution: recorded like the button.
        noteExecute() {
            if (session && !session.revealed.solution) {
                session.revealed.solution = true;
                store();
                noteSolution();
                document.body.classList.add('solution-shown');
            }
        },
    };
}

