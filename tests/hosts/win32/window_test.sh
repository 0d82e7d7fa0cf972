#!/usr/bin/env bash
# Plays the real mirelink.exe under Wine in Xvfb with openbox, as a player
# would: the about page minimised and restored, Start, a block turned by a
# click, a second start, Alt+F4. Every step waits for the program's own answer (a
# screenshot written, a line in its recording, its exit), never for a time.
# Its recording is then replayed by the Linux runner, which must show the same
# pixels at every screenshot the window took.
#   window_test.sh EXE RUNNER SAME_PIXELS WORKDIR
set -euo pipefail
exe=$(realpath "$1") runner=$(realpath "$2") same=$(realpath "$3") work=$4
# The Wine prefix (WINEPREFIX, else beside WORKDIR) outlives the run: making it costs 8-27 s.
export WINEPREFIX=${WINEPREFIX:-$(realpath -m "$work/../wine")}
rm -rf "$work" && mkdir -p "$work/shots" "$work/linux" && cd "$work"
export WINEDEBUG=-all
export XDG_RUNTIME_DIR=$PWD/xdg && mkdir -m 700 -p "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true  # the display is free again for the next run
  wineserver -k 2>/dev/null || true
}
trap cleanup EXIT
fail() { echo "window test: $*" >&2; exit 1; }

# Waits (up to a bound only a fault reaches) for a command to succeed.
await() {
  local what=$1 end=$((SECONDS + 120)); shift
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < end)) || fail "no $what"
    sleep 0.1
  done
}

# A display of its own: Xvfb takes a free number and writes it once it serves.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>display.txt >/dev/null 2>&1 & pids+=($!)
await "X display" grep -q . display.txt
export DISPLAY=:$(cat display.txt)
openbox >/dev/null 2>&1 & pids+=($!)
await "window manager" xdotool get_desktop
[ -d "$WINEPREFIX" ] || wine wineboot -i </dev/null >/dev/null 2>&1
# One persistent server, and Wine's helper processes started outside any pipe.
wineserver -p </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1

wine "$exe" --record game.mls --shots shots >out.txt 2>err.txt & pids+=($!)
game=$!
await "window" xdotool search --onlyvisible --name '^Mirelink$'
# Wine may make the X window anew (shown, minimised): looked up each time.
window() { xdotool search --onlyvisible --name '^Mirelink$' | head -1 || xdotool search --name '^Mirelink$' | head -1; }
# An X request to a window Wine has just replaced fails before it is sent:
# done again on the new one.
act() {
  for _ in $(seq 50); do eval "$1" 2>/dev/null && return 0; sleep 0.1; done
  fail "could not $1"
}
scale=$(( $(xwininfo -id "$(window)" | awk '/Width:/ {print $2}') / 240 ))
recorded() { grep -qx "$1" game.mls 2>/dev/null && [ "$(grep -cx "$1" game.mls)" -ge "$2" ]; }
shot_count() { [ "$(ls shots | wc -l)" -ge "$1" ]; }
shot() {  # F12, and the name of the picture it wrote
  local next=$(( $(ls shots | wc -l) + 1 ))
  # A key sent while the window is not yet focused again is lost: sent again.
  for _ in $(seq 30); do
    act 'xdotool windowactivate "$(window)"; xdotool key --window "$(window)" F12'
    for _ in $(seq 20); do shot_count "$next" && break 2; sleep 0.1; done
  done
  shot_count "$next" || fail "no screenshot $next"
  ls -t shots | head -1
}
tap() { act "xdotool mousemove --window \"\$(window)\" $(($1 * scale + scale / 2)) $(($2 * scale + scale / 2)) click 1"; }

# The title page keeps still: minimised and restored, it comes back unchanged.
title=$(shot)
act 'xdotool windowminimize "$(window)"'
await "focus loss" recorded focus-lost 1
act 'xdotool windowactivate "$(window)"'
await "restore" recorded relaunch 1
restored=$(shot)
"$same" "shots/$title" "shots/$restored" || fail "the screen changed over minimise and restore"
tap 200 230 && tap 100 260                 # close the about page, Start
await "game start" recorded "up 100 260" 1
# The game as the window plays it, read by replaying its recording so far.
replayed() {
  { cat game.mls; echo "state linux/now.json"; } >now.mls
  "$runner" --clock "$(awk 'NR == 1 {print $4}' game.mls)" now.mls && jq -e "$1" linux/now.json
}
await "board after the intro" replayed '.gamePlaying and (.introRunning | not) and (.levelStartRunning | not)'
# A block away from the edges (kinds 1 to 6 all change when turned); cells
# are numbered column by column, 12 a column.
cell=$(jq '[.kinds | to_entries[] | select(.value >= 1 and .value <= 6)
           | select(.key / 12 | floor | . >= 2 and . <= 9) | select(.key % 12 | . >= 2 and . <= 9) | .key][0]' \
       linux/now.json)
kind=$(jq ".kinds[$cell]" linux/now.json)
tap $((cell / 12 * 20 + 10)) $((cell % 12 * 20 + 10))
await "the tapped block turned" replayed ".kinds[$cell] != $kind and (.cells[$cell].turning | not)"
before=$(shot)
wine "$exe" >second.txt 2>&1 || fail "the second start failed"
await "hand-over" recorded relaunch 2
kill -0 "$game" || fail "the first copy ended at the second start"
act 'xdotool windowactivate "$(window)"; xdotool key --window "$(window)" alt+F4'
await "exit question" recorded close 1
question=$(shot)
tap 68 202                                 # Yes
await "exit" bash -c "! kill -0 $game"

sed "s|^# screenshot \(.*\)$|shot linux/\1|" game.mls >replay.mls
"$runner" --clock "$(awk 'NR == 1 {print $4}' game.mls)" replay.mls || fail "the recording did not replay"
for name in $(ls shots); do
  "$same" "shots/$name" "linux/$name" || fail "the replay differs at $name"
done
"$same" "shots/$question" "shots/$before" 2>/dev/null && fail "Alt+F4 asked nothing"
echo "window test: passed; tick gaps (ms: count) $(grep '^step' game.mls | sort | uniq -c | sort -rn | head -3 | awk '{printf "%s:%s ", $3, $1}')"
