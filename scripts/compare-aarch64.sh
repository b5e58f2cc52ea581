#!/usr/bin/env bash
# A second processor: the --json output of seeded random circuits from the x86-64 vornik-cli and
# from the aarch64 one (cross-built, run under qemu-aarch64) must be identical.
# Usage: scripts/compare-aarch64.sh HOST_VORNIK_CLI [COUNT [SEED]]   (default 2000 circuits)
set -euo pipefail
if [ $# -lt 1 ]; then
  echo "usage: $0 HOST_VORNIK_CLI [COUNT [SEED]]" >&2
  exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
host="$(realpath "$1")"
count="${2:-2000}"
seed="${3:-20261207}"
arm="$root/build-aarch64/bin"
bash "$root/scripts/cross-aarch64.sh" "$arm"
start=$(date +%s)
python3 "$root/scripts/compare_cli.py" "$count" "$seed" -- "$host" -- qemu-aarch64 "$arm/vornik-cli"
echo "compare-aarch64.sh: $(($(date +%s) - start)) s"
