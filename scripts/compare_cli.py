#!/usr/bin/env python3
"""Runs seeded random circuits through two vornik-cli programs and requires identical output.

Usage: compare_cli.py COUNT SEED -- FIRST_COMMAND... -- SECOND_COMMAND...
Each command is a program and its leading arguments (for example qemu-aarch64 path/vornik-cli).
Every circuit is run with --json by both; standard output, standard error and exit status must
match byte for byte. Star and delta loads, every mode tick, diagram selections, random precision
settings and odd texts (blanks, signs, exponents, empty, not numbers, huge and tiny values).
"""

import random
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

PRECISION_NAMES = ["U.mag", "U.ang", "U.re", "U.im", "Z.re", "Z.im", "Z.mag", "Z.ang", "Y.mag", "Y.ang",
                   "Y.re", "Y.im", "I.mag", "I.ang", "I.re", "I.im", "S.mag", "S.ang", "S.re", "S.im"]
STAR_MODES = ["normal", "short-A", "short-B", "short-C", "break-A", "break-B", "break-C"]
DELTA_MODES = ["normal", "open-AB", "open-BC", "open-CA", "break-A", "break-B", "break-C"]


def decimal_text(value, places):
    text = f"{value:.{places}f}".replace(".", ",")
    return text.rstrip("0").rstrip(",") if "," in text else text


def number_text(rng, typical):
    """A typed number: mostly ordinary values of the size given, sometimes odd ones."""
    roll = rng.random()
    if roll < 0.75:
        return decimal_text(rng.uniform(-typical, typical), rng.randint(0, 4))
    if roll < 0.82:
        return str(rng.randint(-3, 3))  # zeros and small integers: zero impedances, signs
    odd = [
        "", " ", "0", "-0", ",5", "5,", " 12 ", "+7", "1e3", "1E-3", "2,5e1", "-1,5E2", "1e308", "1e-308",
        "1e400", "4,9e-324", "abc", "1.5", "1,2,3", "--1", "12a", "0x10", "∞", "٣", "1e", "e5", ",",
        "-", "100000000000000000000", "0,000000001", "99999999999999999", "3,14159265358979323846",
    ]
    if roll < 0.95:
        return rng.choice(odd)
    return decimal_text(rng.uniform(-1, 1) * 10 ** rng.randint(-12, 15), rng.randint(0, 12))


def circuit(rng):
    star = rng.random() < 0.55
    args = ["--json"]
    if not star:
        args.append("--delta")
    for k in "123":
        if rng.random() < 0.9:
            args += [f"--u{k}", number_text(rng, 700) if rng.random() < 0.3 else rng.choice(["380", "220", "660", "127", "10000"])]
        if rng.random() < 0.8:
            args += [f"--a{k}", number_text(rng, 360) if rng.random() < 0.5 else rng.choice(["0", "-120", "120", "30", "-90", "150"])]
        args += [f"--r{k}", number_text(rng, 50), f"--x{k}", number_text(rng, 50)]
    if star:
        if rng.random() < 0.5:
            args.append("--neutral")
        if rng.random() < 0.7:
            args += ["--r0", number_text(rng, 10)]
        for phase in "ABC":
            if rng.random() < 0.4:
                args += ["--short", phase]
        for k in "123":
            if rng.random() < 0.3:
                args += [f"--shunt{k}", number_text(rng, 1)]
    else:
        for pair in ["AB", "BC", "CA"]:
            if rng.random() < 0.4:
                args += ["--open", pair]
    for phase in "ABC":
        if rng.random() < 0.35:
            args += ["--break", phase]
    for name in PRECISION_NAMES:
        if rng.random() < 0.5:
            decimals = str(rng.randint(0, 5)) if rng.random() < 0.9 else rng.choice(["7", "12", "-1", "20", " 3"])
            args += ["--decimals", f"{name}={decimals}"]
    if rng.random() < 0.6:
        if rng.random() < 0.5:
            args += ["--diagram", str(rng.randint(1, 14))]
        else:
            mode = rng.choice(STAR_MODES if star else DELTA_MODES)
            args += ["--diagram", f"{mode}:{rng.choice('UI')}"]
    return args


def run(command, args):
    done = subprocess.run(command + args, capture_output=True, timeout=120)
    return done.returncode, done.stdout, done.stderr


def main():
    argv = sys.argv[1:]
    count, seed = int(argv[0]), int(argv[1])
    rest = argv[3:]
    split = rest.index("--")
    first, second = rest[:split], rest[split + 1:]
    rng = random.Random(seed)
    circuits = [circuit(rng) for _ in range(count)]

    def compare(args):
        a = run(first, args)
        b = run(second, args)
        return args, a, b

    differing = 0
    completed = 0
    with ThreadPoolExecutor(max_workers=2) as pool:
        for args, a, b in pool.map(compare, circuits):
            if a == b:
                completed += a[0] == 0
                continue
            differing += 1
            if differing <= 5:
                print("differ: vornik-cli " + " ".join(repr(x) for x in args), file=sys.stderr)
                for name, x, y in (("status", a[0], b[0]), ("stdout", a[1], b[1]), ("stderr", a[2], b[2])):
                    if x != y:
                        at = next((i for i in range(min(len(x), len(y))) if x[i] != y[i]), None) \
                            if isinstance(x, bytes) else None
                        around = "" if at is None else f" first at byte {at}: {x[max(0, at - 60):at + 60]!r} / {y[max(0, at - 60):at + 60]!r}"
                        print(f"  {name} differs{around}", file=sys.stderr)
    print(f"compare_cli.py: {count} circuits (seed {seed}), {completed} ran to the end, {differing} differ")
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
