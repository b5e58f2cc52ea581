// The page: wires the forms to the core and runs the execute command.
import { initAssistant, enableLineVoltageSection } from './assistant.js';
import { loadCore } from './core.js';
import { initDiagram } from './diagram.js';
import { showMessage } from './dialog.js';
import { byId, focusField } from './dom.js';
import { initForm, isStar, readForm, enableExecute } from './form.js';
import { noteReady } from './hooks.js';
import { initPrecision, readPrecision } from './precision.js';
import { initResults, setReportStale, showReport, showTitleBlock } from './results.js';

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
    const form = readForm();
    core.setInputs(form, readPrecision());
    const result = core.run();
    if (!result) {
        return;
    }
    if (result.cleared) {
        showReport(result.report);
        // The printed solution starts with what was solved.
        const today = new Date();
        const two = (n) => String(n).padStart(2, '0');
        showTitleBlock(core.titleBlock(`${two(today.getDate())}.${two(today.getMonth() + 1)}.${today.getFullYear()}`));
    }
    if (result.stored) {
        resultsShown = true;
        setStale(false);
        diagram.afterRun(form);
    } else {
        edited();
    }
    if (result.message) {
        // The cursor goes to the field whose text could not be read.
        showMessage(result.message).then(() => focusField(result.field));
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

loadCore(coreFailed).then((loaded) => {
    core = loaded;
    executeButton.disabled = false;
    enableExecute();
    noteReady();
}, (error) => {
    showMessage(String(error));
});
