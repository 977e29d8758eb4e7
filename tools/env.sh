# Sourced by the scripts in tools/: a virtual display and a Wine prefix of the build's own.
# Defines kw_start_display, kw_prepare_wine and kw_stop; the caller traps kw_stop on EXIT.

KW_XVFB_PID=""
KW_WINESERVER_STARTED=""

kw_start_display() {
    if [ -n "${DISPLAY:-}" ] && [ "${KW_FORCE_XVFB:-0}" != 1 ]; then
        return 0
    fi
    # Xvfb takes the first free display number itself and writes it out when it listens: scripts started
    # at the same moment never share (and then kill) one server.
    local chosen
    chosen=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$chosen" >/dev/null 2>&1 &
    KW_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
        if [ -s "$chosen" ]; then
            export DISPLAY=":$(head -n 1 "$chosen")"
            rm -f "$chosen"
            return 0
        fi
        kill -0 "$KW_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$chosen"
    echo "env: Xvfb did not start" >&2
    return 1
}

# $1: the build folder that holds the prefix.
kw_prepare_wine() {
    export WINEPREFIX="$1/wineprefix"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEARCH=win64
    # Under the C locale Wine cannot create files with non-ASCII names; UTF-8 maps any name to Unix.
    export LC_ALL=C.UTF-8
    export LANG=C.UTF-8
    if [ ! -f "$WINEPREFIX/.kw-ready" ]; then
        echo "env: creating the Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
        # No window manager under Xvfb: unmanaged windows close without a two-second wait.
        /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        # A crash must end the program, never wait in a dialog.
        /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            >/dev/null 2>&1
        /usr/lib/wine/wineserver -w
        touch "$WINEPREFIX/.kw-ready"
    fi
    /usr/lib/wine/wineserver -p
    KW_WINESERVER_STARTED=1
}

kw_stop() {
    if [ -n "$KW_WINESERVER_STARTED" ]; then
        /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
        KW_WINESERVER_STARTED=""
    fi
    if [ -n "$KW_XVFB_PID" ]; then
        kill "$KW_XVFB_PID" >/dev/null 2>&1 || true
        wait "$KW_XVFB_PID" 2>/dev/null || true
        KW_XVFB_PID=""
    fi
}
