#!/usr/bin/env bash
# Hardening: the monkey soak of the real game and the file-reader fuzzers, built with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer in build-hardening/ (build/ is left alone).
#
#   tools/hardening/run.sh --short   5,000 soak frames and 5 s per fuzzer (part of ./test)
#   tools/hardening/run.sh --long    100,000 soak frames and 10 minutes per fuzzer
#
# Either can be adjusted: --seed N (the soak's and libFuzzer's seed, default 1), --frames N,
# --fuzz-seconds N. Installs what is missing (Debian packages, sudo when not root), then
# configures, builds and runs; the soak runs headless under xvfb-run with SDL's dummy audio.
# Exits non-zero when the soak or any fuzzer fails; the failing fuzzer input is kept in
# build-hardening/fuzz/artifacts/ and replays with: build-hardening/velmora-fuzz-<reader> <file>
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$root/build-hardening"

mode=""
seed=1
frames=""
fuzz_seconds=""
while (($#)); do
  case "$1" in
    --short | --long) mode="${1#--}" ;;
    --seed) seed="$2"; shift ;;
    --frames) frames="$2"; shift ;;
    --fuzz-seconds) fuzz_seconds="$2"; shift ;;
    *) echo "usage: $0 --short|--long [--seed N] [--frames N] [--fuzz-seconds N]" >&2; exit 2 ;;
  esac
  shift
done
if [[ -z "$mode" ]]; then
  echo "usage: $0 --short|--long [--seed N] [--frames N] [--fuzz-seconds N]" >&2
  exit 2
fi
if [[ "$mode" == short ]]; then
  : "${frames:=5000}" "${fuzz_seconds:=5}"
else
  : "${frames:=100000}" "${fuzz_seconds:=600}"
fi

# What the game needs, then clang with its sanitizer and libFuzzer runtimes, and Xvfb.
"$root/tools/deps.sh"
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
  fi
}
install_missing clang xvfb xauth
# libclang_rt.fuzzer comes with the compiler-rt package of clang's own version (14 on Debian 12).
clang_major="$(clang++ -dumpversion | cut -d. -f1)"
install_missing "libclang-rt-${clang_major}-dev"

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DVELMORA_HARDENING=ON -DVELMORA_TESTS=OFF >/dev/null
cmake --build "$build" --target hardening -j"$(nproc)"

export SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
# The fuzzers' scratch trees live here (memory-backed when /dev/shm exists) and go at the end,
# also after a crash.
scratch="$(mktemp -d "$([[ -w /dev/shm ]] && echo /dev/shm || echo /tmp)/velmora-hardening-XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

failures=()
cd "$build"
echo
echo "== Soak: $frames frames, seed $seed"
if ! xvfb-run -a -s "-screen 0 1280x1024x24" ./velmora-soak --seed "$seed" --frames "$frames" --expect-every-scene; then
  failures+=("soak (seed $seed, $frames frames)")
fi

mkdir -p "$build/fuzz/artifacts" "$build/fuzz/logs"
for reader in level save-game options calibration; do
  echo
  echo "== Fuzzing the $reader reader for $fuzz_seconds s"
  # New inputs go to the first folder (build-hardening/fuzz/<reader>); the committed seeds are read only.
  corpus="$build/fuzz/$reader"
  mkdir -p "$corpus"
  dict=()
  if [[ -f "$root/tools/hardening/dictionaries/$reader.dict" ]]; then
    dict=(-dict="$root/tools/hardening/dictionaries/$reader.dict")
  fi
  log="$build/fuzz/logs/$reader.log"
  if TMPDIR="$scratch" "./velmora-fuzz-$reader" -max_total_time="$fuzz_seconds" -seed="$seed" -timeout=10 \
    -close_fd_mask=1 -print_final_stats=1 "${dict[@]}" -artifact_prefix="$build/fuzz/artifacts/$reader-" \
    "$corpus" "$root/tools/hardening/corpus/$reader" >"$log" 2>&1; then
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    echo "$reader: ${runs:-?} inputs in $fuzz_seconds s, $(find "$corpus" -type f | wc -l) in its corpus, no findings"
  else
    tail -n 60 "$log"
    echo "$reader: FAILED (whole log: $log)"
    failures+=("fuzzer $reader")
  fi
done

echo
if ((${#failures[@]})); then
  echo "Hardening FAILED: ${failures[*]}"
  exit 1
fi
echo "Hardening passed ($mode)."
