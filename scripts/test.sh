#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite; then runs
# it again under the address, leak and undefined-behaviour sanitizers, and the
# threaded tests of the logger manager under the thread sanitizer. Each GUI
# test process starts an X server of its own: no display is needed here.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/deps.sh
jobs=$(nproc)

scripts/build.sh build
(cd build && ctest --output-on-failure -j"$jobs" --timeout 300)

if [ "${QV_SKIP_SANITIZERS:-0}" != 1 ]; then
    scripts/build.sh build-asan -DQV_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    export LSAN_OPTIONS="suppressions=$root/tests/sanitize/lsan.supp:print_suppressions=0"
    export ASAN_OPTIONS="detect_leaks=1"
    (cd build-asan && ctest --output-on-failure -j"$jobs" --timeout 300)
    scripts/tsan.sh build-tsan
fi
