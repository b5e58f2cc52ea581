// The page: wires the forms to the core and runs the execute command.
import { initAssistant, enableLineVoltageSection } from './assistant.js';
import { loadCore } from './core.js';
import { initDiagram } from './diagram.js';
import { showMessage } from './dialog.js';
import { initForm, isStar, readForm } from './form.js';
import { keepOffline } from './offline.js';
import { initPrecision, readPrecision } from './precision.js';
import { initResults, showReport } from './results.js';

const $ = (id) => document.getElementById(id);
let core = null;
const getCore = () => core;

const diagram = initDiagram(getCore, () => ({ star: isStar(), neutral: $('Form3-CheckBox1').checked }));
initForm((star) => {
    enableLineVoltageSection(star);
    diagram.showHints(star);
});
initPrecision();
initAssistant(getCore, isStar);
initResults(getCore);

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

for (const id of ['Form1-SpeedButton1', 'Form3-SpeedButton6']) {
    $(id).addEventListener('click', execute);
}

const ready = loadCore();
keepOffline(ready);
ready.then((loaded) => {
    core = loaded;
    for (const id of ['Form1-SpeedButton1', 'Form3-SpeedButton6']) {
        $(id).disabled = false;
    }
    document.body.dataset.ready = 'true';
    // Milliseconds from the start of the navigation, for the benchmark.
    document.body.dataset.readyAt = performance.now().toFixed(1);
}, (error) => {
    showMessage(String(error));
});
