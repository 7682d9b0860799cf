#!/usr/bin/env bash
# Sets up the machine, builds and runs the whole test suite: the plain build,
# then under AddressSanitizer + UndefinedBehaviorSanitizer, then under
# ThreadSanitizer, then the fuzzers for a fixed number of inputs, then the
# end-to-end HID test in a virtual machine. Stops at the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh

jobs=$(nproc)
for preset in debug asan tsan; do
  echo "=== ${preset} ==="
  cmake --preset "${preset}" >/dev/null
  cmake --build --preset "${preset}" -j "${jobs}"
  ctest --preset "${preset}" -j "${jobs}"
done
./scripts/fuzz.sh
./tests/e2e/run_vm_test.sh build/debug
echo "All tests passed (debug, asan, tsan, fuzz, and the end-to-end run unless SKIPPED above)."
