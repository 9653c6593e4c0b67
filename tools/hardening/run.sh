#!/usr/bin/env bash
# The monkey soak of the real game and the file-reader fuzzers, built with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer in build-hardening/ (build/ is left alone).
#
#   tools/hardening/run.sh --short   5,000 soak frames and 5 s per fuzzer (part of ./test)
#   tools/hardening/run.sh --long    100,000 soak frames and 10 minutes per fuzzer
#
# Either takes --seed N (the soak's and libFuzzer's, default 1), --frames N and --fuzz-seconds N.
# Exits non-zero when the soak or a fuzzer fails; a failing input is kept in
# build-hardening/fuzz/artifacts/ and replays with: build-hardening/velmora-fuzz-<reader> <file>
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$root/build-hardening"
usage() { echo "usage: $0 --short|--long [--seed N] [--frames N] [--fuzz-seconds N]" >&2; exit 2; }
mode="" seed=1 frames="" fuzz_seconds=""
while (($#)); do
  case "$1" in
    --short | --long) mode="${1#--}" ;;
    --seed) seed="$2"; shift ;;
    --frames) frames="$2"; shift ;;
    --fuzz-seconds) fuzz_seconds="$2"; shift ;;
    *) usage ;;
  esac
  shift
done
case "$mode" in
  short) : "${frames:=5000}" "${fuzz_seconds:=5}" ;;
  long) : "${frames:=100000}" "${fuzz_seconds:=600}" ;;
  *) usage ;;
esac

# The set-up (tools/deps.sh --tests) installs clang with libFuzzer and Xvfb; nothing is installed here.
for tool in clang++ xvfb-run; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run tools/deps.sh --tests first" >&2; exit 1; }
done
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DVELMORA_HARDENING=ON -DVELMORA_TESTS=OFF >/dev/null
cmake --build "$build" --target hardening -j"$(nproc)"

export SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
# The fuzzers' scratch trees, memory-backed where /dev/shm exists; removed at the end, also after a crash.
scratch="$(mktemp -d "$([[ -w /dev/shm ]] && echo /dev/shm || echo /tmp)/velmora-hardening-XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
failures=()
echo "== Soak: $frames frames, seed $seed"
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/velmora-soak" --seed "$seed" --frames "$frames" \
  --expect-every-scene || failures+=("soak")

for reader in level save-game options calibration; do
  echo "== Fuzzing the $reader reader for $fuzz_seconds s"
  # New inputs go to build-hardening/fuzz/<reader>; the committed seeds are only read.
  mkdir -p "$build/fuzz/$reader" "$build/fuzz/artifacts"
  dict=()
  [[ -f "$here/dictionaries/$reader.dict" ]] && dict=(-dict="$here/dictionaries/$reader.dict")
  log="$build/fuzz/$reader.log"
  if TMPDIR="$scratch" "$build/velmora-fuzz-$reader" -max_total_time="$fuzz_seconds" -seed="$seed" -timeout=10 \
    -close_fd_mask=1 -print_final_stats=1 "${dict[@]}" -artifact_prefix="$build/fuzz/artifacts/$reader-" \
    "$build/fuzz/$reader" "$here/corpus/$reader" >"$log" 2>&1; then
    echo "$reader: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") inputs, no findings"
  else
    tail -n 40 "$log"
    echo "$reader: FAILED (whole log: $log)"
    failures+=("fuzzer $reader")
  fi
done
((${#failures[@]} == 0)) || { echo "Hardening FAILED: ${failures[*]}"; exit 1; }
echo "Hardening passed ($mode)."
