// The C++ core compiled to WebAssembly (the global VornikCore of vornik-core.js), wrapped in
// plain functions that take and give page values.

export async function loadCore() {
    const m = await globalThis.VornikCore();
    const json = (pointer) => JSON.parse(m.UTF8ToString(pointer));
    const setText = m.cwrap('vk_set_text', null, ['number', 'string']);
    const setCheck = m.cwrap('vk_set_check', null, ['number', 'number']);
    const setStar = m.cwrap('vk_set_star', null, ['number']);
    const setPrecision = m.cwrap('vk_set_precision', null, ['number', 'string']);
    const phaseVoltage = m.cwrap('vk_phase_voltage', 'number', ['string']);
    const reactance = m.cwrap('vk_reactance', 'number',
        ['string', 'number', 'string', 'number', 'string', 'number']);
    // A document can be long (the student may paste into it): its text goes through the heap,
    // not the stack that cwrap's strings use.
    const heapString = (text) => {
        const size = m.lengthBytesUTF8(text) + 1;
        const at = m._malloc(size);
        m.stringToUTF8(text, at, size);
        return at;
    };
    const rtf = (text, spans) => {
        const textAt = heapString(text);
        const spansAt = heapString(spans);
        const ok = m._vk_rtf(textAt, spansAt);
        m._free(textAt);
        m._free(spansAt);
        return ok;
    };
    const bytes = () => m.HEAPU8.slice(m._vk_bytes(), m._vk_bytes() + m._vk_bytes_size());
    return {
        // form: {texts: [16 texts], checks: [7 ticks], star}, precision: [20 texts]
        setInputs(form, precision) {
            form.texts.forEach((text, k) => setText(k, text));
            form.checks.forEach((on, k) => setCheck(k + 1, on ? 1 : 0));
            setStar(form.star ? 1 : 0);
            precision.forEach((text, k) => setPrecision(k, text));
        },
        // {report, cleared, completed, stored, message, error}
        run: () => json(m._vk_run()),
        // The drawing of button 1..14 for the last run that stored results.
        diagram: (button) => json(m._vk_diagram(button)),
        bmp(rgba, width, height) {
            const at = m._malloc(rgba.length);
            m.HEAPU8.set(rgba, at);
            const ok = m._vk_bmp(at, width, height);
            m._free(at);
            return ok ? bytes() : null;
        },
        // The results document as the desktop program's RTF file: its lines and the raised
        // spans {line, begin, end} in string indices.
        rtf: (lines, raised) => (rtf(lines.join('\n'), raised.map((s) => `${s.line},${s.begin},${s.end}`).join(';'))
            ? bytes() : null),
        phaseVoltage: (text) => json(phaseVoltage(text)),
        reactance: (l, lUnit, c, cUnit, frequency, angular) =>
            json(reactance(l, lUnit, c, cUnit, frequency, angular ? 1 : 0)),
    };
}
