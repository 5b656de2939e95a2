#!/usr/bin/env bash
# Builds the benchmarks optimised, makes their inputs (a 60-minute recording
# of about 318 MB, a 64 KB binary, a 32 KB program, a 64 KB text) and prints
# each operation's throughput beside a plain copy of the same bytes.
#   bench/run.sh [--minutes=N] [--dir=PATH] [benchmark flags]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORVANO_BUILD_UI=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target orvano-bench orvano-cli
build-bench/bench/orvano-bench "$@"

# Peak memory is measured apart: a child of the benchmark process would
# inherit the benchmark's own high-water mark.
dir=/tmp/orvano-bench
for arg in "$@"; do case "$arg" in --dir=*) dir=${arg#--dir=} ;; esac; done
peak_kib=$(/usr/bin/time -f '%M' build-bench/cli/orvano-cli decode "$dir/cli/RECORD.RAW" 2>&1 >/dev/null | tail -n 1)
size_mb=$(( $(stat -c %s "$dir/cli/RECORD.RAW") / 1000000 ))
echo "peak memory of orvano-cli decode on the ${size_mb} MB recording: $(( peak_kib / 1024 )) MB"
for input in RECORD.RAW STEREO48.WAV; do
  peak_kib=$(/usr/bin/time -f '%M' build-bench/bench/orvano-bench --demodulate="$dir/inputs/$input" 2>&1 >/dev/null | tail -n 1)
  echo "peak memory of demodulating $input: $(( peak_kib / 1024 )) MB"
done
