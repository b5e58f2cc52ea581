// The page: wires the forms to the core and runs the execute command.
import { initAssistant, enableLineVoltageSection } from './assistant.js';
import { loadCore } from './core.js';
import { initDiagram } from './diagram.js';
import { showMessage } from './dialog.js';
import { byId } from './dom.js';
import { applyFieldTable, initForm, isStar, readForm, enableExecute } from './form.js';
import { noteFieldTable, noteReady } from './hooks.js';
import { applyPrecisionTable, initPrecision, readPrecision } from './precision.js';
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
        showReport(result.report);
    }
    if (result.completed) {
        diagram.afterRun(form.checks);
    }
    if (result.message) {
        showMessage(result.message);
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

loadCore().then((loaded) => {
    core = loaded;
    const table = core.fields();
    applyFieldTable(table);
    applyPrecisionTable(table.decimals);
    noteFieldTable(table);
    executeButton.disabled = false;
    enableExecute();
    noteReady();
}, (error) => {
    showMessage(String(error));
});
