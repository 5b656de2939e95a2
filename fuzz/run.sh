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
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_detokenizer fuzz_extraction fuzz_image_encode fuzz_phase1 fuzz_phase2 fuzz_number_reader fuzz_markup fuzz_tape_scanner fuzz_frame_reader fuzz_audio fuzz_settings fuzz_demodulator)

./scripts/install-deps.sh clang
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DORVANO_FUZZ=ON -DORVANO_BUILD_UI=OFF -DORVANO_BUILD_BENCH=OFF \
  -DORVANO_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target orvano-cli make_audio_seeds "${targets[@]}"

# Seeds: a tape made by the encoder from the demo program, a binary and a
# text, decoded by the chain; slices of each stage feed the stage's fuzzer.
seeds=build-fuzz/seeds
if [ ! -d "$seeds" ]; then
  work=$(mktemp -d)
  cp examples/source/DEMO.CAS "$work/DEMO.CAS"
  printf '\x01\x02\x03\xC9' >"$work/TINY.BIN"
  printf '10 PRINT "HELLO"\r\n' >"$work/NOTE.TXT"
  mkdir -p "$seeds"/{fuzz_detokenizer,fuzz_extraction,fuzz_phase1,fuzz_phase2,fuzz_number_reader,fuzz_markup,fuzz_tape_scanner,fuzz_frame_reader,fuzz_demodulator}
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
  # The MSX program of the tests, and MSX lines with pointers, BCD
  # constants, an apostrophe and ELSE.
  for byte in $(grep -v '^#' tests/basic/data/msx.hex); do printf "\\x$byte"; done >"$seeds/fuzz_detokenizer/MSX"
  printf '\x0E\x80\x0A\x00\x89 \x0D\x10\x80\x3A\x8F\xE6x\x00\x1E\x80\x14\x00\x1D\x41\x15\x00\x00\x3A\xA1\x1F\x4F\x12\x34\x56\x78\x90\x12\x35\x00\x00\x00' \
    >"$seeds/fuzz_detokenizer/msx-lines"
  for text in 0x9000 49152 '$C000' -1 '%101' '&17' ' x1F'; do printf '%s' "$text" >"$seeds/fuzz_number_reader/$(echo "$text" | md5sum | cut -c1-8)"; done
  printf '|31|\xFE Reading file GAME.RAW' >"$seeds/fuzz_markup/line"
  printf 'abc|0x4E|def||x|zz|y|-1|t|31' >"$seeds/fuzz_markup/markers"
  # A tape of a BASIC file and a binary one: as an image, as blocks behind
  # their lengths, and as the bit cells of its frames behind leaders.
  header() { printf "$1%.0s" {1..10}; printf '%-6s' "$2"; }
  program='\x09\x80\x0A\x00\x91\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  binary='\x00\x90\x03\x90\x00\x90\x3E\x41\xC9\x00'
  marker='\x1F\xA6\xDE\xBA\xCC\x13\x7D\x74'
  { printf '\x00'; printf "$marker"; header '\xD3' PROG; printf "$marker"; printf "$program"; printf '\x00';
    printf "$marker"; header '\xD0' GAME; printf "$marker"; printf "$binary"; } >"$seeds/fuzz_tape_scanner/image"
  { printf '\x01\x10\x00'; header '\xD3' PROG; printf '\x0F\x00'; printf "$program";
    printf '\x10\x00'; header '\xEA' NOTE; printf '\x05\x00hi\r\n\x1A'; } >"$seeds/fuzz_tape_scanner/blocks"
  cells() {
    local byte bit
    for byte in $(od -An -v -tu1); do
      printf '\x00'
      for bit in 0 1 2 3 4 5 6 7; do printf "\\x0$(( byte >> bit & 1 ))"; done
      printf '\x01\x01'
    done
  }
  { printf '\xF0'; header '\xD0' GAME | cells; printf '\xF8\xF0'; printf "$binary" | cells; printf '\x00\x01\xF8';
    printf '\xF1'; header '\xD3' PROG | cells; printf '\xF1'; printf "$program" | cells; } >"$seeds/fuzz_frame_reader/tape"
  rm -rf "$work"
fi

# Tape images of the same three sources: one file each, and all on one tape.
images=$seeds/fuzz_image_encode
if [ ! -d "$images" ]; then
  mkdir -p "$images"
  marker() { printf '\x1F\xA6\xDE\xBA\xCC\x13\x7D\x74'; }
  header() { marker; for _ in 1 2 3 4 5 6 7 8 9 10; do printf "$1"; done; printf '%-6s' "$2"; marker; }
  note='10 PRINT "HELLO"\r\n'
  { header '\xD3' DEMO; tail -c +2 examples/source/DEMO.CAS; head -c 10 /dev/zero; } >"$images/DEMO"
  { header '\xD0' TINY; printf '\x00\x90\x03\x90\x00\x90\x01\x02\x03\xC9'; } >"$images/TINY"
  { header '\xEA' NOTE; printf "$note"; head -c $((256 - 18)) /dev/zero | tr '\0' '\032'; } >"$images/NOTE"
  for part in DEMO TINY NOTE; do
    cat "$images/$part" >>"$images/ALL"
    head -c $(((8 - $(stat -c %s "$images/ALL") % 8) % 8)) /dev/zero >>"$images/ALL"
  done
fi

# Short sound files of several kinds, written by the sound library.
if [ ! -d "$seeds/fuzz_audio" ]; then
  mkdir -p "$seeds/fuzz_audio"
  build-fuzz/fuzz/make_audio_seeds "$seeds/fuzz_audio"
fi

# Settings files: a whole one, one written loosely by hand, a damaged one.
if [ ! -d "$seeds/fuzz_settings" ]; then
  mkdir -p "$seeds/fuzz_settings"
  printf '# Orvano settings\nload-address = 0x9000\nstart-address = $C000\nwrite-wave = yes\nbaud = 2400\nchannel = mix\nbasic = korvet\nhistory = /home/user/tapes/GAME.RAW\nhistory = /tmp/\xd0\x98\xd0\xb3\xd1\x80\xd0\xb0.raw\n' >"$seeds/fuzz_settings/full"
  printf 'baud=1200\r\n\n  # note\nhistory =  a=b \r\nchannel = LEFT' >"$seeds/fuzz_settings/loose"
  printf 'colour = red\nbaud 1200\n' >"$seeds/fuzz_settings/damaged"
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
    fuzz_extraction|fuzz_frame_reader) max_len=32768 ;;
    # Long enough for a leader and a few bytes at 44100 Hz.
    fuzz_demodulator) max_len=65536 ;;
    fuzz_number_reader|fuzz_markup) max_len=512 ;;
    # An Ogg Vorbis file needs some 4 KB for its headers alone.
    fuzz_audio) max_len=16384 ;;
    fuzz_settings) max_len=4096 ;;
    *) max_len=8192 ;;
  esac
  echo "== $target: $what"
  if ! LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}" "build-fuzz/fuzz/$target" "$corpus" "$seeds/$target" "$limit_flag" -max_len="$max_len" \
      -artifact_prefix=build-fuzz/artifacts/ \
      -print_final_stats=1 -close_fd_mask=3 2>"build-fuzz/$target.log"; then
    echo "$target FAILED; see build-fuzz/$target.log"
    tail -n 40 "build-fuzz/$target.log"
    status=1
  fi
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "build-fuzz/$target.log" | sed "s/^/  /"
done
exit $status
