// The page: wires the forms to the core and runs the execute command.
import { initAssistant, enableLineVoltageSection } from './assistant.js';
import { loadCore } from './core.js';
import { initDiagram } from './diagram.js';
import { showMessage } from './dialog.js';
import { byId } from './dom.js';
import { describeForm, initForm, isStar, readForm, enableExecute } from './form.js';
import { noteReady } from './hooks.js';
import { keepOffline } from './offline.js';
import { initPrecision, readPrecision } from './precision.js';
import { initResults, showReport } from './results.js';

let core = null;
const getCore = () => core;

const diagram = initDiagram(getCore, () => {
    const { star, checks } = readForm();
    return { star, neutral: checks[0] };
});

// The execute command: the report replaces the document once the normal-mode writer has started
// it; a failure shows its one message and keeps what was written.
function execute() {
    if (!core) {
        return;
    }
    const form = readForm();
    core.setInputs(form, readPrecision());
    const result = core.run();
    if (result.cleared) {
        showReport(result.report, { star: form.star, title: describeForm() });
    }
    if (result.completed) {
        diagram.afterRun(form.checks);
    }
    if (result.message) {
        showMessage(result.message);
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
        const top = byId('Form2').getBoundingClientRect().top;
        if (top < 0 || top > innerHeight * 0.6) {
            byId('Form2').scrollIntoView({ block: 'start' });
        }
    }
}

initForm({
    onConnection(star) {
        enableLineVoltageSection(star);
        diagram.showHints(star);
    },
    onExecute: execute,
});
initPrecision();
initAssistant(getCore, isStar);
initResults(getCore);
// The main window's execute button, in the page's title bar.
const executeButton = byId('Form1-SpeedButton1');
executeButton.addEventListener('click', execute);

const ready = loadCore();
keepOffline(ready);
ready.then((loaded) => {
    core = loaded;
    executeButton.disabled = false;
    enableExecute();
    noteReady();
}, (error) => {
    showMessage(String(error));
});
