#!/usr/bin/env bash
# Runs the comparam tool's selftest and show on every sample document, on the ODX fixture and the
# real somersault data beside the project, and check, diff, set and vocabulary, under valgrind
# memcheck:
# no memory error, and no byte definitely or indirectly lost. There are no suppressions: the
# library releases everything it holds by the time it is unloaded.
# Usage: .ci/leaks.sh [build-folder]   (default: build, the native build of .ci/run)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
.ci/install-missing.sh
.ci/install-missing.sh valgrind

cmake -S . -B "$build" -DCOMPARAM_TOOLS=ON
cmake --build "$build" -j2 --target comparam_tool

# glibc's AVX2 wmemcmp compares whole 32-byte vectors, reading past the end of a short wide
# string inside its heap block; memcheck cannot tell that from a bug and flags every map lookup
# by wide text. The C library's plain routines have no such reads.
export GLIBC_TUNABLES=glibc.cpu.hwcaps=-AVX2

# The tool's own statuses (1: not ok, different) are answers; memcheck's finding is 125, and a
# crash is above 128.
memcheck() {
  echo "== comparam $*"
  local status=0
  valgrind --quiet --tool=memcheck --error-exitcode=125 --leak-check=full \
    --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
    --track-origins=yes "$build/comparam" "$@" >/dev/null || status=$?
  [ "$status" -le 2 ] || { echo "exit status $status"; return 1; }
}

shopt -s nullglob
samples=(examples/*.xml)
if [ ${#samples[@]} -eq 0 ]; then
  echo "no sample documents in examples/" >&2
  exit 1
fi
memcheck selftest
samples+=(tests/data/odx/three-layers/cars.odx-d)
somersault=../shared/realworld/odx/somersault/somersault.odx-d
if [ -f "$somersault" ]; then
  samples+=("$somersault")
elif [ "${CI:-}" = true ]; then
  echo "CI needs the real-world data at $somersault" >&2
  exit 1
fi
for doc in "${samples[@]}"; do
  memcheck selftest "$doc"
  memcheck show "$doc"
done
memcheck check "${samples[@]}" --format=junit
memcheck diff "${samples[0]}" "${samples[-1]}" --format=json
memcheck set examples/uds-on-can.xml CAN_1 ReqCanId=0x7E1 -o "$build/leaks-set.xml"
memcheck set tests/data/odx/three-layers/cars.odx-d door_left P2Client=60000 AddrScheme=Normal \
  -o "$build/leaks-set.odx-d"
memcheck vocabulary
