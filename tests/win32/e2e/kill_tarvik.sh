#!/bin/sh
# Ends a tarvik.exe of this Wine prefix ($WINEPREFIX) the way a power cut or
# a crash of the prefix does: SIGKILL, which no program can catch or answer.
# Only the one process whose command line holds $1 after the program's name
# is killed; anything else matching is a failure. Writes what it did to $2,
# ending with a line "end: ...".
marker=$1
log=$2
found=""
if [ -z "$WINEPREFIX" ]; then
  echo "end: WINEPREFIX is not set" >"$log"
  exit 1
fi
for dir in /proc/[0-9]*; do
  command=$(tr '\0' ' ' <"$dir/cmdline" 2>/dev/null) || continue
  case "$command" in
    *[Tt][Aa][Rr][Vv][Ii][Kk].[Ee][Xx][Ee]*"$marker"*) ;;
    *) continue ;;
  esac
  tr '\0' '\n' <"$dir/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
  found="$found ${dir#/proc/}"
done
set -- $found
if [ $# -ne 1 ]; then
  echo "end: $# processes matched:$found" >"$log"
  exit 1
fi
if kill -9 "$1"; then
  echo "end: killed $1" >"$log"
else
  echo "end: kill -9 $1 failed" >"$log"
fi
