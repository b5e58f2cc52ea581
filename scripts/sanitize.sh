#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ (or the folder given) and runs it. Any memory error, leak or undefined
# behaviour fails the run; only leaks inside system libraries are suppressed
# (tests/sanitize/lsan.supp). Uses gcc, or clang with CC=clang CXX=clang++.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-sanitize}
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNIK_BUILD_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_MODULE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build "$dir" -j"${VORNIK_JOBS:-2}"

export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitize/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# AddressSanitizer records the name of every instrumented source file as it was given to the
# compiler (an absolute path in a build folder outside the source tree), which -ffile-prefix-map
# does not change, so the check that installed programs hold no build paths does not apply here.
QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j"${VORNIK_JOBS:-2}" \
  -E '^cli\.programs_hold_no_build_paths$'
