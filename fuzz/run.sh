#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS, or
# for N executions.
#   fuzz/run.sh SECONDS|--runs=N [TARGET...]
# Seeds come from the project's own encoder and examples; the corpora grow
# in fuzz/corpus-TARGET (not kept in version control).
set -euo pipefail
cd "$(dirname "$0")/.."
limit=${1:?usage: fuzz/run.sh SECONDS|--runs=N [TARGET...]}
shift
case "$limit" in
  --runs=*) limit_flag=-runs=${limit#--runs=}; what="${limit#--runs=} runs" ;;
  *) limit_flag=-max_total_time=$limit; what="$limit s" ;;
esac
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_detokenizer fuzz_extraction fuzz_phase1 fuzz_phase2 fuzz_number_reader fuzz_markup fuzz_demodulator)

./scripts/install-deps.sh clang
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DORVANO_FUZZ=ON -DORVANO_BUILD_UI=OFF -DORVANO_BUILD_BENCH=OFF \
  -DORVANO_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target orvano-cli "${targets[@]}"

# Seeds: a tape made by the encoder from the demo program, a binary and a
# text, decoded by the chain; slices of each stage feed the stage's fuzzer.
seeds=build-fuzz/seeds
if [ ! -d "$seeds" ]; then
  work=$(mktemp -d)
  cp examples/source/DEMO.CAS "$work/DEMO.CAS"
  printf '\x01\x02\x03\xC9' >"$work/TINY.BIN"
  printf '10 PRINT "HELLO"\r\n' >"$work/NOTE.TXT"
  mkdir -p "$seeds"/{fuzz_detokenizer,fuzz_extraction,fuzz_phase1,fuzz_phase2,fuzz_number_reader,fuzz_markup,fuzz_demodulator}
  for source in DEMO.CAS TINY.BIN NOTE.TXT; do
    base=${source%.*}
    build-fuzz/cli/orvano-cli encode "$work/$source" >/dev/null
    build-fuzz/cli/orvano-cli decode "$work/$base.RAW" >/dev/null || true
    # Skip the long leader so that the slices hold frames.
    slice() { dd if="$1" of="$2" bs=4096 skip="$3" count="$4" iflag=skip_bytes,count_bytes status=none; }
    slice "$work/$base.MSR" "$seeds/fuzz_phase1/$base" 540000 60000
    slice "$work/$base.TX1" "$seeds/fuzz_phase2/$base" 15000 20000
    slice "$work/$base.TX2" "$seeds/fuzz_extraction/$base" 3000 65536
    # The end of the header leader and the header itself, as 16-bit samples
    # at 44100 Hz (first byte 4) fed in blocks of 1 + 37 * 27 samples.
    { printf '\x04\x1b'; dd if="$work/$base.RAW" bs=4096 skip=520000 count=60000 iflag=skip_bytes,count_bytes status=none; } \
      >"$seeds/fuzz_demodulator/$base"
  done
  # The same as floats at 22050 Hz, with a NaN and an infinity in it.
  python3 - "$seeds/fuzz_demodulator/float" <<'PY'
import math, struct, sys
samples = [0.6 * math.copysign(1, math.sin(2 * math.pi * 2400 * n / 22050)) for n in range(6000)]
samples[3000:3002] = [float('nan'), float('inf')]
open(sys.argv[1], 'wb').write(bytes([0x82, 5]) + struct.pack('<%df' % len(samples), *samples))
PY
  cp "$work/DEMO.CAS" "$seeds/fuzz_detokenizer/DEMO"
  printf '\xFF\x01\x80\x0A\x00\x8F REM\x00\x00\x00' >"$seeds/fuzz_detokenizer/small"
  for text in 0x9000 49152 '$C000' -1 '%101' '&17' ' x1F'; do printf '%s' "$text" >"$seeds/fuzz_number_reader/$(echo "$text" | md5sum | cut -c1-8)"; done
  printf '|31|\xFE Reading file GAME.RAW' >"$seeds/fuzz_markup/line"
  printf 'abc|0x4E|def||x|zz|y|-1|t|31' >"$seeds/fuzz_markup/markers"
  rm -rf "$work"
fi

mkdir -p build-fuzz/artifacts
status=0
for target in "${targets[@]}"; do
  [ -x "build-fuzz/fuzz/$target" ] || { echo "no fuzzer $target"; status=1; continue; }
  corpus=fuzz/corpus-$target
  mkdir -p "$corpus"
  # Inputs long enough to hold a header and a few blocks, short enough to
  # keep the executions per second high.
  case "$target" in
    fuzz_extraction) max_len=32768 ;;
    # Long enough for a leader and a few bytes at 44100 Hz.
    fuzz_demodulator) max_len=65536 ;;
    fuzz_number_reader|fuzz_markup) max_len=512 ;;
    *) max_len=8192 ;;
  esac
  echo "== $target: $what"
  if ! "build-fuzz/fuzz/$target" "$corpus" "$seeds/$target" "$limit_flag" -max_len="$max_len" \
      -artifact_prefix=build-fuzz/artifacts/ \
      -print_final_stats=1 -close_fd_mask=3 2>"build-fuzz/$target.log"; then
    echo "$target FAILED; see build-fuzz/$target.log"
    tail -n 40 "build-fuzz/$target.log"
    status=1
  fi
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "build-fuzz/$target.log" | sed "s/^/  /"
done
exit $status
