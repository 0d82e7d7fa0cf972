#!/usr/bin/env bash
# Plants each deliberate fault listed in tests/README.md into a copy of the
# sources, builds what its catching tests need, runs them, puts the file back,
# and says whether the suite caught it.
#
#   tests/check_faults.sh BUILD_DIR [F01 F07 ...]
#
# BUILD_DIR must be configured on a copy of the sources (no .git in it), for
# the faults are written into its files while they run. FAULTS=FILE reads the
# list from another file; FULL=1 builds everything and runs the whole suite
# for every fault.
set -u

build=${1:?usage: $0 BUILD_DIR [FAULT_ID...]}
shift
list=${FAULTS:-$(dirname "$0")/README.md}
source=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")
if [[ -z $source || -e $source/.git ]]; then
    echo "$0: $build is not built from a copy of the sources (found '$source')" >&2
    exit 2
fi
logs=$build/faults
mkdir -p "$logs"

pattern='^- (F[0-9]+) `([^`]+)`: `(.+)` → `(.*)` — `([^`]+)` in `([^`]+)`'
planted=""
restore() { if [[ -n $planted ]]; then cp "$logs/original" "$planted"; planted=""; fi; }
trap restore EXIT
trap 'restore; exit 1' INT TERM

caught=0
missed=0
while IFS= read -r line; do
    [[ $line =~ $pattern ]] || continue
    id=${BASH_REMATCH[1]} file=${BASH_REMATCH[2]} from=${BASH_REMATCH[3]} to=${BASH_REMATCH[4]}
    tests=${BASH_REMATCH[5]} targets=${BASH_REMATCH[6]}
    if [[ $# -gt 0 && " $* " != *" $id "* ]]; then continue; fi
    if [[ ${FULL:-0} == 1 ]]; then tests=. targets=all; fi
    cp "$source/$file" "$logs/original"
    planted=$source/$file
    if ! FROM=$from TO=$to perl -0777 -i -pe '
            BEGIN { ($f, $t) = ($ENV{FROM}, $ENV{TO}); s/\\n/\n/g for $f, $t; }
            $n = () = /\Q$f\E/g; die "found $n times\n" if $n != 1; s/\Q$f\E/$t/;' "$planted" 2> "$logs/$id.log"; then
        echo "$id NOT PLANTED ($file: $(cat "$logs/$id.log"))"
        restore
        continue
    fi
    # shellcheck disable=SC2086
    if ! cmake --build "$build" -j2 --target $targets > "$logs/$id.log" 2>&1; then
        echo "$id BUILD FAILED (see $logs/$id.log)"
    elif ctest --test-dir "$build" -j2 --timeout 600 -R "$tests" >> "$logs/$id.log" 2>&1; then
        echo "$id MISSED by $tests"
        missed=$((missed + 1))
    else
        echo "$id caught by $(sed -En 's/^[[:space:]]*[0-9]+ - ([^ ]+) .*/\1/p' "$logs/$id.log" | tr '\n' ' ')"
        caught=$((caught + 1))
    fi
    restore
done < "$list"
echo "$caught caught, $missed missed"
[[ $missed -eq 0 ]]
