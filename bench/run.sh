#!/usr/bin/env bash
# Builds the benchmarks optimised, makes their inputs (a 60-minute recording
# of about 318 MB, the same as a 48 kHz stereo WAV of 691 MB, a 64 KB binary,
# a 32 KB program, a 64 KB text, a 64 KB tape image) and prints each
# operation's throughput beside a plain copy of the same bytes.
#   bench/run.sh [--minutes=N] [--dir=PATH] [benchmark flags]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORVANO_BUILD_UI=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target orvano-bench orvano-cli
build-bench/bench/orvano-bench "$@"

# Peak memory is measured apart: a child of the benchmark process would
# inherit the benchmark's own high-water mark.
peak() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1; }
dir=/tmp/orvano-bench
for arg in "$@"; do case "$arg" in --dir=*) dir=${arg#--dir=} ;; esac; done
peak_kib=$(peak build-bench/cli/orvano-cli decode "$dir/cli/RECORD.RAW")
size_mb=$(( $(stat -c %s "$dir/cli/RECORD.RAW") / 1000000 ))
echo "peak memory of orvano-cli decode on the ${size_mb} MB recording: $(( peak_kib / 1024 )) MB"
wave_kib=$(peak build-bench/cli/orvano-cli recode "$dir/wave/RECORD48.WAV")
wave_mb=$(( $(stat -c %s "$dir/wave/RECORD48.WAV") / 1000000 ))
echo "peak memory of orvano-cli recode on the ${wave_mb} MB stereo 48 kHz WAV: $(( wave_kib / 1024 )) MB"
tape_kib=$(peak build-bench/cli/orvano-cli tape "$dir/cli/RECORD.RAW" -o "$dir/whole/peak")
echo "peak memory of orvano-cli tape on the ${size_mb} MB recording: $(( tape_kib / 1024 )) MB"
tape_wave_kib=$(peak build-bench/cli/orvano-cli tape "$dir/wave/RECORD48.WAV" -o "$dir/whole/peak-wav")
echo "peak memory of orvano-cli tape on the ${wave_mb} MB stereo 48 kHz WAV: $(( tape_wave_kib / 1024 )) MB"
