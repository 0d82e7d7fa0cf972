#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer,
# libFuzzer) in build/fuzz and runs each for SECONDS (default: $FUZZ_SECONDS,
# else 60) from its seeds, in a fresh work corpus under the build folder,
# FUZZ_JOBS (default: the processor count) at a time.
#
#   tests/fuzz/run-fuzz.sh [SECONDS [TARGET...]]
#
# TARGET: picture-loaders, script (default: both).
# Inputs kept under tests/fuzz/found/TARGET/ are run first, as seeds. Exits 1
# when a target crashed, hung, leaked, broke one of its properties or made a
# sanitizer report; its log and the input that did it are in
# build/fuzz/tests/fuzz/logs/ and build/fuzz/tests/fuzz/found/.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
seconds=${1:-${FUZZ_SECONDS:-60}}
[ $# -gt 0 ] && shift
targets=(picture-loaders script)
[ $# -gt 0 ] && targets=("$@")
build=$root/build/fuzz
jobs=${FUZZ_JOBS:-$(nproc 2>/dev/null || echo 2)}

case $seconds in
  '' | *[!0-9]* | 0) echo "run-fuzz.sh: SECONDS must be a whole number above 0, not '$seconds'" >&2; exit 2 ;;
esac

# The libraries are instrumented for coverage too (fuzzer-no-link), so that
# the fuzzers see inside the code they drive; -O1 for speed. The pictures of
# the test build's resource table serve when there is one (FUZZ_RESOURCES),
# so that they are not drawn a second time.
mkdir -p "$build"
resources=${FUZZ_RESOURCES:-$root/build/test/res/resources.cpp}
[ -f "$resources" ] || resources=
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DMIRELINK_SANITIZE=ON \
  -DMIRELINK_WERROR=ON -DCMAKE_CXX_FLAGS="-O1 -fsanitize=fuzzer-no-link" \
  -DMIRELINK_RESOURCES_SOURCE="$resources" >"$build/configure.log" 2>&1 ||
  { cat "$build/configure.log" >&2; exit 1; }
cmake --build "$build" -j "$jobs" --target mirelink-fuzz

out=$build/tests/fuzz
for name in "${targets[@]}"; do
  [ -x "$out/fuzz-$name" ] || { echo "run-fuzz.sh: no fuzz target '$name'" >&2; exit 2; }
done
mkdir -p "$out/logs"

run() {
  local name=$1 work=$out/work/$1 seeds=("$out/seeds/$1") status=0
  [ -d "$root/tests/fuzz/found/$name" ] && seeds=("$root/tests/fuzz/found/$name" "${seeds[@]}")
  rm -rf "$work"
  mkdir -p "$work" "$out/found/$name"
  UBSAN_OPTIONS=print_stacktrace=1 "$out/fuzz-$name" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$out/found/$name/" \
    "$work" "${seeds[@]}" >"$out/logs/$name.log" 2>&1 || status=$?
  echo "$status" >"$out/logs/$name.status"
}

rm -f "$out"/logs/*.status
for name in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do sleep 1; done
  echo "fuzzing $name for $seconds s"
  run "$name" &
done
wait

failed=0
for name in "${targets[@]}"; do
  log=$out/logs/$name.log status=$(cat "$out/logs/$name.status")
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cov=$( (grep -o 'cov: [0-9]*' "$log" || true) | tail -n 1 | cut -d' ' -f2)
  corp=$( (grep -o 'corp: [0-9]*' "$log" || true) | tail -n 1 | cut -d' ' -f2)
  if [ "$status" = 0 ]; then
    printf '%-16s ok      %12s runs  %6s edges  %6s inputs in the corpus\n' "$name" "${runs:-?}" "${cov:-?}" "${corp:-?}"
  else
    failed=1
    printf '%-16s FAILED  (exit %s) see %s\n' "$name" "$status" "$log"
    (grep -E '^(==[0-9]+==ERROR|SUMMARY|property broken|.*runtime error)|Test unit written' "$log" || true) |
      head -n 8 | sed 's/^/    /'
  fi
done
exit "$failed"
