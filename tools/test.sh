#!/usr/bin/env bash
# Builds everything and runs every test (unit, integration, end-to-end). Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
ctest --test-dir build --output-on-failure -j2
