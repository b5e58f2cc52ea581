// Seeded random circuits for the browser tests: the parameter form's texts and ticks, the
// precision texts, and the same circuit as vornik-cli options.

export function seededRandom(seed) {
    let s = seed >>> 0;
    return () => {
        s = (s + 0x6d2b79f5) >>> 0;
        let t = s;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}

// The form's table as the page's core gives it (useFieldTable): the precision names and initial
// decimals, the fields' vornik-cli options and initial texts in the core's order, and the ticks.
export let precisionNames = [];
export let defaultPrecision = [];
export let fieldOptions = [];
export let initialTexts = [];
export let maxLengths = [];
// The longest text a task file may hold for each field (what the program itself writes there).
export let readLengths = [];
let ticks = [];

export function useFieldTable(table) {
    precisionNames = table.decimals.map((d) => d.name);
    defaultPrecision = table.decimals.map((d) => d.initial);
    fieldOptions = table.fields.map((f) => f.option);
    initialTexts = table.fields.map((f) => f.initial);
    maxLengths = table.fields.map((f) => f.maxLength);
    readLengths = table.fields.map((f) => f.readLength);
    ticks = table.ticks;
}

// A number as typed, with a decimal comma.
function typed(value) {
    return String(value).replace('.', ',');
}

export function randomCircuit(random) {
    const pick = (list) => list[Math.floor(random() * list.length)];
    const int = (lo, hi) => lo + Math.floor(random() * (hi - lo + 1));
    const resistance = () => pick([() => '0', () => String(int(1, 99)), () => typed((int(1, 999) / 10).toFixed(1)),
        () => typed((int(1, 99) / 100).toFixed(2))])();
    const reactance = () => (random() < 0.3 ? '0' : (random() < 0.5 ? '-' : '') + resistance());
    const star = random() < 0.55;
    const texts = [...initialTexts];
    const magnitude = pick(['127', '220', '380', '660', String(int(1, 999))]);
    for (let k = 0; k < 3; ++k) {
        texts[k] = random() < 0.8 ? magnitude : String(int(0, 999));
    }
    const base = random() < 0.7 ? 0 : int(-90, 90);
    texts[3] = String(base);
    texts[4] = String(random() < 0.8 ? base - 120 : int(-180, 180));
    texts[5] = String(random() < 0.8 ? base + 120 : int(-180, 180));
    for (let k = 6; k < 12; k += 2) {
        texts[k] = resistance();
        texts[k + 1] = reactance();
        if (texts[k] === '0' && texts[k + 1] === '0' && random() < 0.8) {
            texts[k] = String(int(1, 50));
        }
    }
    texts[12] = pick(['1', '0,5', '2', String(int(1, 20))]);
    for (let k = 13; k < 16; ++k) {
        texts[k] = pick(['0,01', '0,1', '1', '0,5', '2']);
    }
    const checks = Array.from({ length: 7 }, () => random() < 0.4);
    checks[0] = random() < 0.5;
    const precision = defaultPrecision.map((d) => (random() < 0.4 ? String(int(0, 5)) : d));
    // Some texts a student gets wrong.
    if (random() < 0.15) {
        texts[int(0, 15)] = pick(['', '-', ',', '1,2,', '--1', '0']);
    }
    if (random() < 0.04) {
        precision[int(0, 19)] = '';
    }
    return { star, texts, checks, precision };
}

export function cliArguments(circuit) {
    const args = ['--json'];
    if (!circuit.star) {
        args.push('--delta');
    }
    circuit.texts.forEach((text, k) => args.push(fieldOptions[k], text));
    circuit.checks.forEach((on, k) => {
        const option = circuit.star ? ticks[k].starOption : ticks[k].deltaOption;
        const value = circuit.star ? ticks[k].starValue : ticks[k].deltaValue;
        if (on) {
            args.push(option, ...(value ? [value] : []));
        }
    });
    circuit.precision.forEach((text, k) => args.push('--decimals', `${precisionNames[k]}=${text}`));
    return args;
}
