#!/usr/bin/env bash
# Runs the Windows build's ctest (the runner's scenarios and golden plays, the
# game's unit tests) under Wine, as the notes on Wine in CI ask: the prefix
# made before any test, one wineserver started outside ctest's pipes (else
# Wine's helper processes inherit the first test's output and every test waits
# for them), and stopped after.
#   wine_ctest.sh BUILD_DIR WINEPREFIX [CTEST OPTIONS...]
set -euo pipefail
build=$1
export WINEPREFIX=$(realpath -m "$2") WINEDEBUG=-all
shift 2
mkdir -p "$(dirname "$WINEPREFIX")"
[ -d "$WINEPREFIX" ] || wine wineboot -i </dev/null >/dev/null 2>&1
wineserver -p </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1
status=0
# On a loaded machine Wine now and then fails to start a program at all (the
# test fails at once with no output, about one run in fifty): a failed test
# runs once more, and only a second failure counts.
ctest --test-dir "$build" --output-on-failure --repeat until-pass:2 "$@" || status=$?
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
exit $status
