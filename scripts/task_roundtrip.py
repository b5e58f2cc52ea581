#!/usr/bin/env python3
"""Task files keep a circuit whole: options -> --save-task -> --task gives the same run.

Usage: task_roundtrip.py COUNT SEED VORNIK_CLI
For each seeded random circuit of compare_cli.py (star and delta, every tick, random precision,
odd texts with blanks, signs and exponents) the --json output of the options themselves must equal,
byte for byte and with the same exit status, that of a task saved from them and read back.
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import random  # noqa: E402

from compare_cli import circuit  # noqa: E402


def run(cli, args):
    done = subprocess.run([cli] + args, capture_output=True, timeout=120)
    return done.returncode, done.stdout, done.stderr


def split_diagram(args):
    """The arguments without --json and --diagram SEL, and the --diagram SEL pairs."""
    rest, diagram = [], []
    k = 0
    while k < len(args):
        if args[k] == "--diagram":
            diagram += args[k:k + 2]
            k += 2
            continue
        if args[k] != "--json":
            rest.append(args[k])
        k += 1
    return rest, diagram


def main():
    count, seed, cli = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    rng = random.Random(seed)
    failed = 0
    with tempfile.TemporaryDirectory() as folder:
        task = os.path.join(folder, "task.vornik")
        for n in range(count):
            args = circuit(rng)
            direct = run(cli, args)
            circuit_args, diagram = split_diagram(args)
            saved = run(cli, circuit_args + ["--save-task", task])
            again = run(cli, ["--task", task, "--json"] + diagram)
            if saved[0] != 0 or saved[1] != b"" or direct != again:
                failed += 1
                if failed <= 5:
                    print(f"round trip {n} differs: vornik-cli " + " ".join(repr(a) for a in args), file=sys.stderr)
                    print(f"  save: {saved!r:.300}", file=sys.stderr)
                    for name, x, y in zip(("status", "stdout", "stderr"), direct, again):
                        if x != y:
                            print(f"  {name}: {x!r:.300} / {y!r:.300}", file=sys.stderr)
    print(f"task_roundtrip.py: {count} circuits (seed {seed}), {failed} differ")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
