#!/usr/bin/env bash
# Builds the fuzz targets with libFuzzer, ASan and UBSan and runs each for a fixed time from its
# seed corpus. A crash, a failed check, a leak or a hang fails the run and leaves the input as
# crash-*, leak-* or timeout-* in the build folder. Longer runs: fuzz/README.md.
# Usage: .ci/fuzz.sh [seconds per target] [build-folder]   (defaults: 30, build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
build="${2:-build-fuzz}"
root="$PWD"
.ci/install-missing.sh cmake make pkg-config libpugixml-dev libzip-dev zlib1g-dev clang libclang-rt-dev libexpat1-dev

cmake -S . -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCOMPARAM_FUZZ=ON -DCOMPARAM_WERROR=ON \
  -DCOMPARAM_TESTS=OFF -DCOMPARAM_TOOLS=OFF -DCOMPARAM_BENCHMARKS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2 --target fuzz_load fuzz_value_text fuzz_round_trip fuzz_load_odx \
  fuzz_load_pdx fuzz_round_trip_odx
built_seeds="$(cd "$build" && pwd)/fuzz/seeds"  # the ODX targets' seeds, made by configuring

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Each target writes what it finds new into a working corpus of its own in the build folder and
# reads the seeds read-only.
fuzz() {
  local target="$1"
  shift
  mkdir -p "$build/corpus/$target"
  echo "== $target (${seconds}s)"
  (cd "$build" && "./fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$@" "corpus/$target" "${seeds[@]}")
}

seeds=("$root/tests/data" "$root/examples" "$root/fuzz/corpus/load")
fuzz fuzz_load -dict="$root/fuzz/xml.dict"
seeds=("$root/fuzz/corpus/value_text")
fuzz fuzz_value_text
seeds=("$root/tests/data/conversion" "$root/tests/data/selftest" "$root/examples"
       "$root/fuzz/corpus/round_trip")
fuzz fuzz_round_trip -dict="$root/fuzz/xml.dict"
seeds=("$root/tests/data/odx" "$built_seeds/load_odx")
fuzz fuzz_load_odx -dict="$root/fuzz/odx.dict"
seeds=("$root/fuzz/corpus/load_pdx" "$built_seeds/load_pdx")
fuzz fuzz_load_pdx -dict="$root/fuzz/zip.dict"
seeds=("$root/tests/data/odx" "$built_seeds/load_odx")
fuzz fuzz_round_trip_odx -dict="$root/fuzz/odx.dict"
