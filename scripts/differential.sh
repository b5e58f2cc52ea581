#!/usr/bin/env bash
# The software extended type against the x87 unit with ten million operand pairs per operation
# (the everyday test run uses fewer). Usage: scripts/differential.sh [BUILD_DIR [COUNT]]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-dev}"
count="${2:-10000000}"
if [ "$(uname -m)" != x86_64 ]; then
  echo "differential.sh: needs x86-64, whose long double is the 80-bit type" >&2
  exit 1
fi
cmake --build "$build" --target extended_tests
start=$(date +%s)
VORNIK_DIFFERENTIAL_COUNT="$count" "$build/tests/core/extended_tests"
echo "differential.sh: $count pairs per operation in $(($(date +%s) - start)) s"
