#!/usr/bin/env bash
# Installs what is missing, builds from scratch-safe build folders and runs every test:
# the unit, CLI and window tests, then each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNIK_BUILD_BENCHMARKS=ON
cmake --build build-test
QT_QPA_PLATFORM=offscreen ctest --test-dir build-test --output-on-failure
# The windows on a real X display with a window manager: frames at their home places, splash
# painted on screen, hints over inactive windows.
VORNIK_BUILD_DIR=build-test VORNIK_SCREEN_ROOT=0 VORNIK_SCREEN_DISPLAY=:79 scripts/screenshots.sh build-test/screenshots

# The Debian package: its files, dependencies, desktop and software-centre entries, and (as root,
# when nothing else would change) apt install and remove.
bash scripts/package.sh -DVORNIK_ALLOW_EXAMPLE_CONTACTS=ON
bash scripts/check-package.sh build-package/vornik_*.deb

# The web edition in Debian's chromium, compared with the vornik-cli just built.
bash scripts/build-web.sh
node web/tests/run.mjs build-web/site build-test/cli/vornik-cli build-web/test

# A second processor: the aarch64 vornik-cli under qemu must print what the x86-64 one prints.
bash scripts/compare-aarch64.sh build-test/cli/vornik-cli

# The fuzz targets need clang's libFuzzer and sanitizers.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVORNIK_BUILD_FUZZERS=ON -DVORNIK_BUILD_GUI=OFF -DVORNIK_BUILD_TESTS=OFF -DVORNIK_BUILD_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all"
cmake --build build-fuzz --target fuzz_text_to_number fuzz_run fuzz_diagram fuzz_cli fuzz_variant_table fuzz_task fuzz_answers
ctest --test-dir build-fuzz --output-on-failure
