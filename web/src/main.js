// The page: wires the forms to the core and runs the execute command.
import { initAssistant, enableLineVoltageSection } from './assistant.js';
import { initCheck } from './check.js';
import { loadCore } from './core.js';
import { initDiagram } from './diagram.js';
import { showMessage } from './dialog.js';
import { byId, focusField } from './dom.js';
import { applyFieldTable, initForm, isStar, readForm, enableExecute } from './form.js';
import { noteFieldTable, noteReady } from './hooks.js';
import { keepOffline } from './offline.js';
import { applyPrecisionTable, initPrecision, readPrecision } from './precision.js';
import { initResults, setReportStale, showReport } from './results.js';
import { initTask } from './task.js';

let core = null;
const getCore = () => core;
// Whether a report or diagram of an earlier run is on the page.
let resultsShown = false;

const diagram = initDiagram(getCore);

function setStale(stale) {
    setReportStale(stale);
    diagram.setStale(stale);
}

// A change of what a run reads: what is shown now belongs to earlier data.
function edited() {
    if (resultsShown) {
        setStale(true);
    }
}

// The execute command: the report replaces the document once the normal-mode writer has started
// it; a failure shows its one message and keeps what was written. A run that stored results
// redraws the diagram from them; one that stored none leaves the earlier results marked.
function execute() {
    if (!core) {
        return;
    }
    // While checking, the run shows the whole solution of the task checked: the answers record it.
    check.noteExecute();
    const form = readForm();
    core.setInputs(form, readPrecision());
    const result = core.run();
    if (!result) {
        return;
    }
    if (result.cleared) {
        // The printout starts with the title block the PDF of the solution starts with.
        const today = new Date();
        const two = (n) => String(n).padStart(2, '0');
        const date = `${two(today.getDate())}.${two(today.getMonth() + 1)}.${today.getFullYear()}`;
        showReport(result.report, { star: form.star, title: core.titleBlock(date).join('\n') });
    }
    if (result.stored) {
        resultsShown = true;
        setStale(false);
        diagram.afterRun(form);
    } else {
        edited();
    }
    if (result.message) {
        // The cursor goes to the field whose text could not be read or whose resistance is zero.
        showMessage(result.message).then(() => focusField(result.field));
    }
    announce(result, form.checks);
}

// A finished run is told to screen readers, and on a narrow screen the solution is brought into
// view below the title bar.
function announce(result, checks) {
    const modes = 1 + checks.slice(1).filter(Boolean).length;
    const status = byId('vornik-status');
    // Emptied first, so the same words after the next run are read again.
    status.textContent = '';
    setTimeout(() => {
        status.textContent = result.message || (result.completed ? `Решение готово. Режимов: ${modes}` : '');
    }, 100);
    if (result.cleared) {
        // In the next frame, when the new report is laid out anyway: the command itself stays
        // free of layout.
        requestAnimationFrame(() => {
            const top = byId('Form2').getBoundingClientRect().top;
            if (top < 0 || top > innerHeight * 0.6) {
                byId('Form2').scrollIntoView({ block: 'start' });
            }
        });
    }
}

initForm({
    onConnection(star) {
        enableLineVoltageSection(star);
        diagram.formConnection(star);
    },
    onExecute: execute,
    onEdit: edited,
});
initPrecision(edited);
initAssistant(getCore, isStar);
initResults(getCore);
// The task's links and files and "Проверить себя" each need the other: a link may start a check,
// and a check opens tasks into the form as the task commands do.
const checkStarter = { start: (t) => check.start(t), stop: () => check.stop() };
const task = initTask({ getCore, execute, check: checkStarter });
const check = initCheck({ getCore, execute, taskFile: task });
// The main window's execute button, in the page's title bar.
const executeButton = byId('Form1-SpeedButton1');
executeButton.addEventListener('click', execute);

// A failure inside the core: its one message; the core is loaded afresh without the results of
// earlier runs, so what is shown belongs to earlier data and the diagram waits for a new run.
function coreFailed(error) {
    showMessage(String(error));
    diagram.forgetRuns();
    edited();
}

const ready = loadCore(coreFailed);
// A new version waits for the student: taking it reloads the page with the form's task in the
// address, so what was typed stays. The offer holds the newest version found.
let takeUpdate = null;
byId('vornik-update-button').addEventListener('click', () => {
    if (!takeUpdate) {
        return;
    }
    navigator.serviceWorker.addEventListener('controllerchange', () => {
        if (core) {
            history.replaceState(null, '', task.link());
        }
        location.reload();
    }, { once: true });
    takeUpdate();
    takeUpdate = null;
});
keepOffline(ready, (apply) => {
    takeUpdate = apply;
    byId('vornik-update').hidden = false;
});
// A task of its own, so the browser can paint and take input between two pieces of work.
const nextTask = () => new Promise((resolve) => setTimeout(resolve, 0));

// The core's start-up (its WebAssembly instance and static data), its field table (the first call
// into the core, which also compiles the core's JSON writer) and the form's update each run in a
// task of their own: under load each was a long task on the page's thread, together one longer.
ready.then(async (loaded) => {
    await nextTask();
    const table = loaded.fields();
    const modes = loaded.modes();
    await nextTask();
    // The page runs nothing before the form has the core's table.
    core = loaded;
    applyFieldTable(table);
    applyPrecisionTable(table.decimals);
    diagram.applyModes(modes);
    noteFieldTable(table, modes);
    executeButton.disabled = false;
    enableExecute();
    byId('Check-Start').disabled = false;
    noteReady();
    check.ready();
    task.ready();
}, (error) => {
    showMessage(String(error));
});
