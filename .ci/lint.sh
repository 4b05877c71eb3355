#!/usr/bin/env bash
# Style and static-analysis gates. Each fails the run on a finding; none changes a file.
#   clang-format  every tracked C++ file against .clang-format (--dry-run)
#   clang-tidy    every compiled source of the tree (.clang-tidy, tests/.clang-tidy)
#   cppcheck      the same sources (.ci/cppcheck-suppressions.txt lists its false positives)
# Usage: .ci/lint.sh [build-folder]   (default: build-lint; configured only, never built)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-lint}"
.ci/install-missing.sh
.ci/install-missing.sh clang-format clang-tidy cppcheck python3

echo "== clang-format"
git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run -Werror

# Both analysers read the compile commands of a configured tree. Sources generated into the
# build folder do not exist before a build and are not ours to lint: they are left out.
cmake -S . -B "$build" -DCOMPARAM_TESTS=ON -DCOMPARAM_TOOLS=ON -DCOMPARAM_BENCHMARKS=OFF >/dev/null
mkdir -p "$build/lint"
python3 - "$build" <<'PY'
import json, os, sys
build = os.path.abspath(sys.argv[1])
commands = json.load(open(os.path.join(build, "compile_commands.json")))
ours = [c for c in commands
        if not os.path.abspath(os.path.join(c["directory"], c["file"])).startswith(build + os.sep)]
json.dump(ours, open(os.path.join(build, "lint", "compile_commands.json"), "w"), indent=1)
PY

echo "== clang-tidy"
run-clang-tidy -quiet -j 2 -p "$build/lint" >"$build/lint/clang-tidy.log" 2>&1 || {
  # A crash or a missing tool leaves no finding to show: then the log's end says why.
  grep -E -A3 'warning:|error:' "$build/lint/clang-tidy.log" || tail -n 50 "$build/lint/clang-tidy.log"
  exit 1
}

echo "== cppcheck"
cppcheck --project="$build/lint/compile_commands.json" --error-exitcode=1 --quiet -j 2 \
  --enable=warning,performance,portability --inline-suppr --std=c++17 \
  --suppressions-list=.ci/cppcheck-suppressions.txt
