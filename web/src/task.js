// The task file on the page: "Открыть задачу" (a file picker), "Сохранить задачу" (a download) and
// "Ссылка на задачу", a link whose fragment holds the whole task (#task= and the file's UTF-8
// bytes in base64url without padding; &run=1 also runs it, &check=1 opens it in "Проверить себя").
// A fragment never goes to a server, and the link works from file:// and offline like the page itself.
import { showMessage } from './dialog.js';
import { byId } from './dom.js';
import { fillForm, readForm } from './form.js';
import { noteShareLink } from './hooks.js';
import { fillPrecision, readPrecision } from './precision.js';
import { pickFile, saveFile } from './save.js';

const linkName = 'ссылка на задачу';
// A link that cannot be read was most often cut short or changed on its way: how to get a good one.
const damagedLink = 'Ссылка на задачу повреждена: её не удалось прочитать (возможно, она обрезана при '
    + 'копировании). Попросите новую ссылку у того, кто её прислал (кнопка «Ссылка на задачу»), '
    + 'или откройте файл задачи (.vornik).';
const pageTitle = document.title;
// The title and note of the task opened last, written again with it.
let title = '';
let note = '';

export function toBase64url(bytes) {
    let binary = '';
    for (let k = 0; k < bytes.length; k += 0x8000) {
        binary += String.fromCharCode(...bytes.subarray(k, k + 0x8000));
    }
    return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

// The bytes of a base64url text; a text that is not one stays as its own UTF-8 bytes, so the
// reader names what is wrong with it as with any file that is not a task.
export function fromBase64url(text) {
    try {
        const binary = atob(text.replace(/-/g, '+').replace(/_/g, '/'));
        return Uint8Array.from(binary, (c) => c.charCodeAt(0));
    } catch {
        return new TextEncoder().encode(text);
    }
}

// The #task= fragment of an address: {bytes, then} or null, where then is 'run' (&run=1), 'check'
// (&check=1: "Проверить себя" on the task) or null.
function fragmentTask(hash) {
    const parts = hash.replace(/^#/, '').split('&');
    const task = parts.find((p) => p.startsWith('task='));
    const then = parts.includes('check=1') ? 'check' : parts.includes('run=1') ? 'run' : null;
    return task === undefined ? null : { bytes: fromBase64url(task.slice(5)), then };
}

// A task ({title, note, star, texts, checks, precision}) into the form and the precision settings,
// its title into the page's; `name` is the file's or link's (null: the page's title stays).
function showTask(task, name) {
    fillForm(task);
    fillPrecision(task.precision);
    title = task.title;
    note = task.note;
    if (name !== null) {
        document.title = `${pageTitle} - ${name}${title ? ` (${title})` : ''}`;
    }
}

// check.start(task) starts "Проверить себя" on a task a link opened with &check=1; any other task
// opened ends a check in progress first (check.stop()), as the form then shows another task.
export function initTask({ getCore, execute, check }) {
    const open = async (bytes, name, then) => {
        const answer = getCore().readTask(bytes, name);
        if (answer.error) {
            await showMessage(name === linkName ? `${damagedLink}\n\n${answer.error}` : answer.error);
            return;
        }
        if (then !== 'check') {
            check.stop();
        }
        showTask(answer.task, name);
        if (then === 'check') {
            check.start(answer.task);
        }
        if (answer.warning) {
            await showMessage(answer.warning);
        }
        if (then === 'run') {
            execute();
        }
    };
    const taskText = () => {
        getCore().setInputs(readForm(), readPrecision());
        return getCore().writeTask(title, note);
    };

    byId('Form1-OpenTask').addEventListener('click', () => pickFile('.vornik,application/x-vornik-task,application/json',
        (bytes, name) => open(bytes, name, null)));
    byId('Form1-SaveTask').addEventListener('click', () => {
        saveFile(new TextEncoder().encode(taskText()), `${title || 'задача'}.vornik`, 'application/x-vornik-task');
    });
    const taskLink = () => `${location.href.split('#')[0]}#task=${toBase64url(new TextEncoder().encode(taskText()))}`;
    byId('Form1-ShareTask').addEventListener('click', () => {
        const link = taskLink();
        noteShareLink(link);
        const copied = navigator.clipboard ? navigator.clipboard.writeText(link) : Promise.reject();
        // Without the Clipboard API (a page served over plain http) the link is shown selected in
        // a field, for copying by hand.
        copied.then(() => showMessage('Ссылка на задачу скопирована в буфер обмена.'),
            () => showMessage('Ссылка на задачу (выделена, скопируйте её):', link));
    });

    // Called once the core is loaded, and again when the address's fragment changes.
    const openFragment = () => {
        const task = fragmentTask(location.hash);
        if (task) {
            open(task.bytes, linkName, task.then);
        }
    };
    window.addEventListener('hashchange', openFragment);
    return {
        // The link of the task in the form now, without running it.
        link: taskLink,
        show: showTask,
        names: () => ({ title, note }),
        ready() {
            for (const id of ['Form1-OpenTask', 'Form1-SaveTask', 'Form1-ShareTask']) {
                byId(id).disabled = false;
            }
            openFragment();
        },
    };
}
