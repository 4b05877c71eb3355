#!/usr/bin/env bash
# Builds the benchmarks in a Release build of their own and runs every one of them briefly, and
# the document tool once each way: a smoke run that keeps them building and working. It times
# nothing and asserts no figure; bench/README.md says how to measure.
# Usage: .ci/bench.sh [build-folder]   (default: build-bench-ci)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-bench-ci}"

.ci/install-missing.sh cmake g++ make libpugixml-dev libbenchmark-dev

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCOMPARAM_WERROR=ON -DCOMPARAM_BENCHMARKS=ON \
  -DCOMPARAM_TESTS=OFF -DCOMPARAM_TOOLS=OFF
cmake --build "$build" -j2 --target comparam_benchmarks comparam_benchdoc

echo "== benchmarks, one short run each"
"$build/bench/comparam_benchmarks" --benchmark_min_time=0.001 --benchmark_color=false

echo "== document tool"
doc="$(mktemp --suffix=.xml)"
trap 'rm -f "$doc"' EXIT
"$build/bench/comparam_benchdoc" write 10 "$doc"
"$build/bench/comparam_benchdoc" read "$doc"
