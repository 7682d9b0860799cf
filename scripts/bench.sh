#!/usr/bin/env bash
# Builds the release preset and runs every benchmark program.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
for bench in build/release/bench/*_bench; do
  "$bench" "$@"
done
