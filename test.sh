#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   ./test.sh              the normal build, all tests (terminal tests included)
#   ./test.sh --sanitize   AddressSanitizer and UndefinedBehaviorSanitizer, unit tests
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

build_dir=build
configure=(-DORVANO_WERROR=ON)
select=()
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-sanitize
  configure+=(-DORVANO_SANITIZE=ON -DORVANO_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
  select=(-LE e2e)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

cmake -S . -B "$build_dir" "${configure[@]}" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
cd "$build_dir"
ctest --output-on-failure -j "$(nproc)" "${select[@]}"
