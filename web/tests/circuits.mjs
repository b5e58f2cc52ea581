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

export const precisionNames = ['U.mag', 'U.ang', 'U.re', 'U.im', 'Z.re', 'Z.im', 'Z.mag', 'Z.ang', 'Y.mag',
    'Y.ang', 'Y.re', 'Y.im', 'I.mag', 'I.ang', 'I.re', 'I.im', 'S.mag', 'S.ang', 'S.re', 'S.im'];
export const defaultPrecision = ['0', '0', '0', '0', '0', '0', '1', '1', '3', '3', '3', '1', '1', '1', '1', '1',
    '0', '1', '0', '0'];
// Form field order of the page's core and the matching vornik-cli options.
export const fieldOptions = ['--u1', '--u2', '--u3', '--a1', '--a2', '--a3', '--r1', '--x1', '--r2', '--x2',
    '--r3', '--x3', '--r0', '--shunt1', '--shunt2', '--shunt3'];
export const initialTexts = ['380', '380', '380', '0', '-120', '120', '0', '0', '0', '0', '0', '0', '1', '0,01',
    '0,01', '0,01'];

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
    if (circuit.checks[0]) {
        args.push('--neutral');
    }
    circuit.texts.forEach((text, k) => args.push(fieldOptions[k], text));
    const phases = circuit.star ? ['A', 'B', 'C'] : ['AB', 'BC', 'CA'];
    for (let k = 0; k < 3; ++k) {
        if (circuit.checks[1 + k]) {
            args.push(circuit.star ? '--short' : '--open', phases[k]);
        }
        if (circuit.checks[4 + k]) {
            args.push('--break', ['A', 'B', 'C'][k]);
        }
    }
    circuit.precision.forEach((text, k) => args.push('--decimals', `${precisionNames[k]}=${text}`));
    return args;
}
