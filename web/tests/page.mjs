// Driving the page as a student does: fields, ticks, the execute button, the message dialog.

// Counts the dialogs shown, so a test can tell one message from two.
export async function countDialogs(page) {
    await page.evaluateOnNewDocument(() => {
        window.vornikDialogs = 0;
        const show = HTMLDialogElement.prototype.showModal;
        HTMLDialogElement.prototype.showModal = function showModal() {
            window.vornikDialogs += 1;
            return show.call(this);
        };
    });
}

export async function setCircuit(page, circuit) {
    await page.evaluate((c) => {
        const $ = (id) => document.getElementById(id);
        const radio = $(c.star ? 'Form3-RadioButton1' : 'Form3-RadioButton2');
        if (!radio.checked) {
            radio.click();
        }
        c.checks.forEach((on, k) => {
            const box = $('Form3-CheckBox' + (k + 1));
            if (box.checked !== on) {
                // A disabled box (the neutral wire in delta) keeps its tick but cannot be clicked.
                const disabled = box.disabled;
                box.disabled = false;
                box.click();
                box.disabled = disabled;
            }
        });
        globalThis.vornikHooks.fieldTable.fields.forEach((f, k) => { $('Form3-' + f.control).value = c.texts[k]; });
        c.precision.forEach((text, k) => { $('Form4-ComboBox' + (k + 1)).value = text; });
    }, circuit);
}

export const reportLines = (page) =>
    page.$$eval('#Form2-RichEdit1 > *', (blocks) => blocks.map((b) => b.textContent));

// Presses execute and returns the report lines and the message shown (null when none); the
// message is closed with its button.
export async function execute(page) {
    const before = await page.evaluate(() => window.vornikDialogs);
    await page.click('#Form1-SpeedButton1');
    const state = await page.evaluate(() => ({
        open: document.getElementById('vornik-message').open,
        text: document.getElementById('vornik-message-text').textContent,
        dialogs: window.vornikDialogs,
    }));
    if (state.open) {
        await page.click('#vornik-message-ok');
    }
    return {
        lines: await reportLines(page),
        message: state.open ? state.text : null,
        dialogs: state.dialogs - before,
        stillOpen: await page.$eval('#vornik-message', (d) => d.open),
    };
}
