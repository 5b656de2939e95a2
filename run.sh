#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orvano in the examples folder.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)" --target orvano orvano-cli

# The demo tape: the BASIC program in examples/source, encoded by Orvano
# itself, for a first run of the Decode menu.
if [ ! -f examples/DEMO.RAW ]; then
  scratch=$(mktemp -d)
  cp examples/source/DEMO.CAS "$scratch/"
  build/cli/orvano-cli encode "$scratch/DEMO.CAS" >/dev/null
  mv "$scratch/DEMO.RAW" examples/DEMO.RAW
  rm -rf "$scratch"
fi

cd examples
exec ../build/app/orvano "$@"
