#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs the whole test
# suite under them. Nothing recovers, so any finding fails the run.
# Usage: .ci/sanitize.sh [build-folder]   (default: build-asan)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-asan}"
.ci/install-missing.sh

# LeakSanitizer checks every test program at exit; the other options widen what ASan looks at.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The find_package test configures an outside project, which reads these: a program that loads
# sanitized libraries must itself link the sanitizer runtimes first.
export CXXFLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all"
export LDFLAGS="-fsanitize=address,undefined"

cmake -S . -B "$build" -DCOMPARAM_SANITIZE=ON -DCOMPARAM_WERROR=ON -DCMAKE_BUILD_TYPE=Debug \
  -DCOMPARAM_TESTS=ON -DCOMPARAM_TOOLS=ON -DCOMPARAM_BENCHMARKS=OFF -DCOMPARAM_FUZZ=OFF
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure -j2
