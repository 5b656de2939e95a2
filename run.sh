#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orvano in the examples folder.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)" --target orvano orvano-cli

cd examples
exec ../build/app/orvano "$@"
