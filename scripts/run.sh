#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quorvanti with the simulated logger.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
exec scripts/with-display.sh build/bin/quorvanti --simulate "$@"
