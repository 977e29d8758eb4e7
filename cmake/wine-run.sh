#!/bin/sh
# Runs a Windows program under 64-bit Wine; used by ctest as the cross-compiling emulator.
# Wine may start helper processes (services, the desktop) that outlive the program and inherit its
# output; the program therefore writes to a file, so that the caller's pipe closes when it ends.
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=}"
export WINEDEBUG WINEDLLOVERRIDES
log=$(mktemp)
/usr/lib/wine/wine64 "$@" >"$log" 2>&1 </dev/null
status=$?
cat "$log"
rm -f "$log"
exit $status
