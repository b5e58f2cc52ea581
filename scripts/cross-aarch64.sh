#!/usr/bin/env bash
# Builds vornik-cli for 64-bit ARM Linux with Debian's cross compiler (g++-aarch64-linux-gnu),
# statically linked so that qemu-aarch64 runs it without an ARM system root, and without the
# picture files (no Qt or libjpeg for ARM needed). Leaves the program at OUTDIR/vornik-cli.
# Usage: scripts/cross-aarch64.sh OUTDIR     (exit status non-zero when it cannot)
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "$1"
out="$(cd "$1" && pwd)"
compiler=aarch64-linux-gnu-g++
if ! command -v "$compiler" >/dev/null; then
  echo "cross-aarch64.sh: $compiler is missing (scripts/install-deps.sh installs g++-aarch64-linux-gnu)" >&2
  exit 1
fi
build="${VORNIK_CROSS_BUILD_DIR:-$root/build-aarch64}"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_SYSTEM_NAME=Linux -DCMAKE_SYSTEM_PROCESSOR=aarch64 -DCMAKE_CXX_COMPILER="$compiler" \
  -DCMAKE_EXE_LINKER_FLAGS=-static \
  -DVORNIK_BUILD_PICTURES=OFF -DVORNIK_BUILD_GUI=OFF -DVORNIK_BUILD_TESTS=OFF \
  -DVORNIK_BUILD_BENCHMARKS=OFF -DVORNIK_BUILD_FUZZERS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target vornik-cli --parallel 2
cp "$build/cli/vornik-cli" "$out/vornik-cli"
echo "cross-aarch64.sh: $out/vornik-cli"
