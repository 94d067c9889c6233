#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
cd build
../scripts/with-display.sh ctest --output-on-failure -j"$(nproc)" --timeout 300
