#!/usr/bin/env bash
# Installs the game silently, as a script or an administrator's tool would,
# checks what the installer put where, then uninstalls it and checks that
# nothing is left: the program, its uninstaller, the Start-menu entry and the
# entry among the installed programs. Runs under Wine (WINEPREFIX set).
#   installer_test.sh SETUP_EXE PROGRAM_EXE
set -euo pipefail
setup=$1 program=$2
fail() { echo "installer test: $*" >&2; exit 1; }
folder() { winepath -u "$(wine cmd /c "echo %$1%" | tr -d '\r')"; }
dir="$(folder LOCALAPPDATA)/Programs/Mirelink"
menu="$(folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Mirelink.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Mirelink'
listed() { wine reg query "$key" /v UninstallString 2>/dev/null | grep -q 'uninstall\.exe'; }

wine "$setup" /S || fail "the installer failed"
cmp -s "$dir/mirelink.exe" "$program" || fail "no copy of the program in $dir"
[ -f "$dir/uninstall.exe" ] || fail "no uninstaller"
[ -f "$menu" ] || fail "no Start-menu entry"
listed || fail "not listed among the installed programs"

wine "$dir/uninstall.exe" /S || fail "the uninstaller failed"
# The uninstaller goes on in a copy of itself, so that it can remove its own
# file: its work is waited for (a bound only a fault reaches).
end=$((SECONDS + 60))
while [ -e "$dir" ] && ((SECONDS < end)); do sleep 0.1; done
[ ! -e "$dir" ] || fail "$dir is left after uninstalling: $(ls "$dir")"
[ ! -e "$menu" ] || fail "the Start-menu entry is left"
! listed || fail "still listed among the installed programs"
echo "installer test: passed"
