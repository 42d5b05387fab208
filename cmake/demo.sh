#!/usr/bin/env bash
# Starts the stand-in Route Editor and Tarvik beside it. With
# TARVIK_SCREENSHOT set, it photographs the screen once Tarvik is up, then
# closes both programs; otherwise it waits until Tarvik is closed.
set -uo pipefail
build_dir=$1
source "$(dirname "$0")/wine-env.sh" "$build_dir"
bin="$build_dir/bin"

for standin in "$bin"/routeeditor.exe; do
  [ -x "$standin" ] && wine "$standin" </dev/null >/dev/null 2>&1 &
done
if [ -z "${TARVIK_SCREENSHOT:-}" ]; then
  wine "$bin/tarvik.exe" </dev/null >/dev/null 2>&1
  wineserver -k
  exit 0
fi

wine "$bin/tarvik.exe" </dev/null >/dev/null 2>&1 &
sleep 6  # the 2 s splash, then the main window
import -window root "$TARVIK_SCREENSHOT"
# A polite close: taskkill without /f posts WM_CLOSE, so settings are saved.
wine taskkill /im tarvik.exe </dev/null >/dev/null 2>&1
wine taskkill /im routeeditor.exe </dev/null >/dev/null 2>&1
sleep 2
wineserver -k
wineserver -w
