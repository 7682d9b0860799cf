#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (the project itself builds with g++)
# and runs each on a fixed number of generated inputs from a fixed seed, so a
# run is repeatable and ends however fast the machine is. A finding stops the
# script; its input is left in build/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."

out=build/fuzz
mkdir -p "${out}"

flags=(-std=c++20 -O1 -g -Wall -Wextra -fsanitize=fuzzer,address,undefined
       -fno-sanitize-recover=all -fno-omit-frame-pointer -Isrc)
platform=(src/platform/ansi_code_page.cpp src/platform/format_text.cpp src/platform/message_box.cpp)
params=(src/params/block_bytes.cpp src/params/device_parameter_block.cpp
        src/params/parameter_records.cpp src/params/version_rules.cpp)
form=(src/form/field_validators.cpp)

clang++ "${flags[@]}" tests/fuzz/block_reader_fuzzer.cpp "${params[@]}" "${platform[@]}" \
  -o "${out}/block_reader_fuzzer"
clang++ "${flags[@]}" tests/fuzz/validators_fuzzer.cpp "${form[@]}" "${platform[@]}" \
  -o "${out}/validators_fuzzer"

run() {
  local fuzzer=$1 runs=$2
  echo "=== fuzz ${fuzzer}: ${runs} inputs ==="
  # The time limit is only a ceiling for a slow machine: reaching it ends the
  # run without failing it.
  if ! ASAN_OPTIONS=detect_leaks=1 "${out}/${fuzzer}_fuzzer" -seed=1 -runs="${runs}" \
      -max_total_time=60 -max_len=1100 -artifact_prefix="${out}/${fuzzer}-" \
      >"${out}/${fuzzer}.log" 2>&1; then
    cat "${out}/${fuzzer}.log"
    echo "fuzz ${fuzzer}: FAILED (input saved in ${out}/)" >&2
    return 1
  fi
  tail -n 1 "${out}/${fuzzer}.log"
}

run block_reader "${FUZZ_RUNS:-200000}"
run validators "${FUZZ_RUNS:-3000000}"
