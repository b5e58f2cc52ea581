// The C++ core compiled to WebAssembly (the global VornikCore of vornik-core.js), wrapped in
// plain functions that take and give page values. Every text goes to the core through the heap:
// a pasted text may be far longer than the WebAssembly stack. A failure inside the core (a trap
// or an abort) is handed to onFailure once and answered with null; the core is then loaded
// afresh, so the page keeps working (without the results of earlier runs).

// Resolves once the browser has painted the page as it stands: a frame, then a task after it.
// A hidden page paints nothing, so it goes on at once.
function afterPaint() {
    if (document.visibilityState === 'hidden') {
        return Promise.resolve();
    }
    return new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
}

function loadScript(src) {
    return new Promise((resolve, reject) => {
        const script = document.createElement('script');
        script.src = src;
        script.onload = resolve;
        script.onerror = () => reject(new Error('Не удалось загрузить ' + src));
        document.head.append(script);
    });
}

// Emscripten's hook for making the WebAssembly instance. The data URL holds the WebAssembly
// gzip-compressed: the browser decodes and inflates it and compiles it as it streams (not on the
// page's thread); a browser that cannot stream the compile takes the inflated bytes instead.
function compile(imports, receive) {
    const inflated = () => fetch(globalThis.VornikCoreWasm).then((response) =>
        new Response(response.body.pipeThrough(new DecompressionStream('gzip')),
            { headers: { 'Content-Type': 'application/wasm' } }));
    WebAssembly.instantiateStreaming(inflated(), imports)
        .catch(() => inflated().then((response) => response.arrayBuffer())
            .then((bytes) => WebAssembly.instantiate(bytes, imports)))
        .then(({ instance, module }) => receive(instance, module));
    return {};
}

function bind(m) {
    const json = (pointer) => JSON.parse(m.UTF8ToString(pointer));
    const heapString = (text) => {
        const size = m.lengthBytesUTF8(text) + 1;
        const at = m._malloc(size);
        m.stringToUTF8(text, at, size);
        return at;
    };
    // Calls f with the texts copied to the heap, freeing them afterwards.
    const withTexts = (texts, f) => {
        const pointers = texts.map(heapString);
        try {
            return f(...pointers);
        } finally {
            pointers.forEach((p) => m._free(p));
        }
    };
    const bytes = () => m.HEAPU8.slice(m._vk_bytes(), m._vk_bytes() + m._vk_bytes_size());
    return {
        // form: {texts: [16 texts], checks: [7 ticks], star}, precision: [20 texts]
        setInputs(form, precision) {
            form.texts.forEach((text, k) => withTexts([text], (at) => m._vk_set_text(k, at)));
            form.checks.forEach((on, k) => m._vk_set_check(k + 1, on ? 1 : 0));
            m._vk_set_star(form.star ? 1 : 0);
            precision.forEach((text, k) => withTexts([text], (at) => m._vk_set_precision(k, at)));
        },
        // A task file's bytes (Uint8Array) as {task: {title, note, star, texts, checks, precision},
        // warning} or {error}; the messages name the file.
        readTask(bytes, name) {
            const at = m._malloc(Math.max(bytes.length, 1));
            m.HEAPU8.set(bytes, at);
            const nameAt = heapString(name);
            const answer = json(m._vk_task_read(at, bytes.length, nameAt));
            m._free(at);
            m._free(nameAt);
            return answer;
        },
        // The task file (text) of the inputs set last, with its title and note.
        writeTask(title, note) {
            const titleAt = heapString(title);
            const noteAt = heapString(note);
            const text = m.UTF8ToString(m._vk_task_write(titleAt, noteAt));
            m._free(titleAt);
            m._free(noteAt);
            return text;
        },
        // The form fields' table: {fields, ticks, decimals} (web/core/WebCore.cpp, vk_fields).
        fields: () => json(m._vk_fields()),
        // The operating modes' table: [{star, pair, tick, slot, name, webName, caption}] (vk_modes).
        modes: () => json(m._vk_modes()),
        // {report, cleared, completed, stored, message, error, field}
        run: () => json(m._vk_run()),
        // The printed solution's title block for the inputs set last: an array of lines.
        titleBlock: (date) => withTexts([date], (at) => json(m._vk_title_block(at))),
        // The drawing of button 1..14 for the last run that stored results.
        diagram: (button) => json(m._vk_diagram(button)),
        // The drawing made last as an SVG document, its texts in the boxes the page painted them in
        // ({width, height, ascent} in drawing order); empty when the core holds no drawing.
        diagramSvg: (rects) => withTexts([rects.map((r) => `${r.width},${r.height},${r.ascent}`).join(';')],
            (at) => m.UTF8ToString(m._vk_diagram_svg(at))),
        bmp(rgba, width, height) {
            const at = m._malloc(rgba.length);
            m.HEAPU8.set(rgba, at);
            const ok = m._vk_bmp(at, width, height);
            m._free(at);
            return ok ? bytes() : null;
        },
        // The results document as the desktop program's RTF file: its lines and the raised
        // spans {line, begin, end} in string indices.
        rtf: (lines, raised) => (withTexts([lines.join('\n'), raised.map((s) => `${s.line},${s.begin},${s.end}`).join(';')],
            (textAt, spansAt) => m._vk_rtf(textAt, spansAt)) ? bytes() : null),
        // "Проверить себя", on the task of the inputs set last: its sheet {modes: [{mode, caption,
        // quantities: [{quantity, label, unit, angle, nonNegative, section}]}]} or {message, error}
        // when its run stops; the marks of answers {mode: {quantity: text}}; the lines of one
        // section of a mode's worked solution {lines}; the words of each verdict {right: 'верно', …}.
        checkSheet: () => json(m._vk_check_sheet()),
        checkMark: (answers) => withTexts([JSON.stringify(answers)], (at) => json(m._vk_check_mark(at))),
        checkSection: (mode, section) => withTexts([mode, section], (modeAt, sectionAt) =>
            json(m._vk_check_section(modeAt, sectionAt))),
        checkVerdicts: () => json(m._vk_check_verdicts()),
        // An answers file's bytes as {file: {task, student, group, answers, revealed, saved}} or
        // {error}; the answers file's text of {student, group, answers, revealed, saved} with the
        // task of the inputs set last.
        readAnswers(bytes, name) {
            const at = m._malloc(Math.max(bytes.length, 1));
            m.HEAPU8.set(bytes, at);
            try {
                return withTexts([name], (nameAt) => json(m._vk_answers_read(at, bytes.length, nameAt)));
            } finally {
                m._free(at);
            }
        },
        writeAnswers: (file) => withTexts([JSON.stringify(file)], (at) => m.UTF8ToString(m._vk_answers_write(at))),
        // A random task: the inputs set last with the fields of `ranges` ("r1=5..20/0,5 x1=…")
        // drawn by the seed (decimal text), one whose run completes: {task} or {error}.
        randomTask: (ranges, seed) => withTexts([ranges, seed], (rangesAt, seedAt) =>
            json(m._vk_check_random(rangesAt, seedAt))),
        phaseVoltage: (text) => withTexts([text], (at) => json(m._vk_phase_voltage(at))),
        reactance: (l, lUnit, c, cUnit, frequency, angular) => withTexts([l, c, frequency],
            (lAt, cAt, fAt) => json(m._vk_reactance(lAt, lUnit, cAt, cUnit, fAt, angular ? 1 : 0))),
    };
}

// The core's script (about 200 KB, the WebAssembly inside) is fetched only after the form is on
// the screen, and its WebAssembly is compiled while the student already reads the form.
export async function loadCore(onFailure) {
    await afterPaint();
    await loadScript('vornik-core.js');
    const instantiate = () => globalThis.VornikCore({ instantiateWasm: compile });
    let api = bind(await instantiate());
    let reloading = null;
    const guarded = {};
    for (const name of Object.keys(api)) {
        guarded[name] = (...args) => {
            if (reloading) {
                return null;
            }
            try {
                return api[name](...args);
            } catch (error) {
                onFailure(error);
                reloading = instantiate().then((fresh) => {
                    api = bind(fresh);
                }).finally(() => {
                    reloading = null;
                });
                return null;
            }
        };
    }
    return guarded;
}
