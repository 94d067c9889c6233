#!/usr/bin/env bash
# Builds the core tests with the thread sanitizer into build-tsan (or the
# folder given) and runs the tests of the logger manager, its queues and the
# worker threads under it. Any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dir=${1:-build-tsan}
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_TSAN=ON >/dev/null
cmake --build "$dir" -j"$(nproc)" --target qv_core_tests
cd "$dir"
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$root/scripts/tsan.supp ${TSAN_OPTIONS:-}"
ctest -L core --output-on-failure -j"$(nproc)" --timeout 300 \
    -R '^(LoggerManager|LoggerThreads|LiveRun|HostClock|SimulatedLogger|BoxPublication|BoxReadings|BoxDispatch|BoxRequests|BoxScope|SampleQueue|StoredQueue|TimingQueue|WorkerThread|ByteFIFO)\.'
