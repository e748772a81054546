# shellcheck shell=bash
# Harness for the end-to-end tests: the Windows program under 64-bit Wine on a headless X server.
# Source it, call e2e_setup, drive the program; the EXIT trap cleans up.
#
# Wine facts it is built on (Debian 12, Wine 8):
# - The prefix shows its desktop "Default" as a virtual desktop of E2E_SCREEN. Every program, a
#   SERVICE_INTERACTIVE_PROCESS service too, draws inside that one X window at 0,0 (Xvfb has no
#   window manager), so the helper sees all their windows through EnumWindows.
# - The prefix's first Wine process starts the service manager, and every service inherits its
#   stderr and WINEDEBUG. Wine keeps no event log: ReportEvent only writes debug output. So the
#   desktop starts first, with WINEDEBUG=+eventlog and stderr appended to $E2E_WINE_LOG.
# - Wine closes a desktop about a second after its last program ends, and ends the service
#   manager, with any running service, with the last user process: `e2ehelper hold` holds it.
# - Tray: the desktop's taskbar (class Shell_TrayWnd, rect 0,0,0,0 until the first icon arrives)
#   is the bottom 20 px. Icons take 20 px cells from the right edge leftwards in the order they
#   were added (a removal moves the later ones one cell right), so icon INDEX is centred at
#   x = WIDTH - 10 - 20 * INDEX, y = HEIGHT - 10. A click there reaches the icon's owner as its
#   callback message (a double-click as 0x200 0x201 0x202 0x203 0x202, a right-click as 0x204
#   0x205); a menu the owner opens is a top-level window of class #32768.
#
# Settings: E2E_HELPER (path of e2ehelper.exe), E2E_SCREEN (default 1024x768), E2E_TOOL_TIMEOUT
# (seconds before a helper run is killed, a safety net behind the helper's own waits; default
# 120), E2E_KEEP=1 keeps the work directory. After e2e_setup: E2E_DIR, E2E_WINE_LOG, DISPLAY,
# WINEPREFIX, WINEARCH and WINEDEBUG are set.

E2E_WINE=/usr/lib/wine/wine64
E2E_WINESERVER=/usr/lib/wine/wineserver
E2E_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_HELPER=${E2E_HELPER:-$E2E_REPO/build/windows-x86_64/tests/e2e/helper/e2ehelper.exe}
E2E_SCREEN=${E2E_SCREEN:-1024x768}
E2E_TOOL_TIMEOUT=${E2E_TOOL_TIMEOUT:-120}
E2E_KEEP=${E2E_KEEP:-0}
# Long enough for any run; the cleanup ends the holder earlier.
E2E_HOLD_SECONDS=3600
E2E_START_SECONDS=$SECONDS
# Mono and Gecko would offer an interactive download, and the menu builder would write launchers
# into $HOME; none of them is needed.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# e2e_test_build DIR: the windows-x86_64 build directory under test. Sets build (its absolute
# path), E2E_HELPER, and artifacts, the folder for the screenshots worth keeping.
e2e_test_build() {
    build=$(cd "$1" && pwd) || exit 2
    E2E_HELPER=$build/tests/e2e/helper/e2ehelper.exe
    artifacts=$E2E_REPO/build/e2e-artifacts
}

e2e_log() {
    echo "[e2e $((SECONDS - E2E_START_SECONDS))s] $*" >&2
}

# Ends the test script; the EXIT trap cleans up.
e2e_fail() {
    e2e_log "FAIL: $*"
    exit 1
}

# e2e_wait_for SECONDS COMMAND [ARGS...]: re-runs COMMAND every 0.2 s until it succeeds; 1 if it
# still fails after SECONDS. The arguments are expanded once, so a condition that needs a fresh
# $(...) each time belongs in a function.
e2e_wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

e2e_screen_width() { echo "${E2E_SCREEN%x*}"; }
e2e_screen_height() { echo "${E2E_SCREEN#*x}"; }

# A display of the run's own: Xvfb picks a free number.
e2e_start_xvfb() {
    local display_file=$E2E_DIR/display
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN}x24" -nolisten tcp \
        3>"$display_file" >"$E2E_DIR/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    e2e_wait_for 20 grep -q '^[0-9][0-9]*$' "$display_file" || e2e_fail "Xvfb did not start"
    DISPLAY=":$(cat "$display_file")"
    export DISPLAY
}

e2e_setup_wine() {
    timeout -k 5 120 "$E2E_WINE" "$@" >>"$E2E_DIR/setup.log" 2>&1
}

e2e_make_prefix() {
    export WINEPREFIX=$E2E_DIR/prefix WINEARCH=win64 WINEDEBUG=-all
    e2e_setup_wine wineboot -i || e2e_fail "wineboot failed, see $E2E_DIR/setup.log"
    e2e_setup_wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f ||
        e2e_fail "could not choose the desktop"
    e2e_setup_wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$E2E_SCREEN" /f ||
        e2e_fail "could not make the desktop virtual"
    # wineboot leaves its service manager running, which would clash with the desktop's. Killing
    # is safe once wineboot has returned (the registry is saved as the server exits) and saves the
    # 5 s Wine would otherwise linger.
    timeout 20 "$E2E_WINESERVER" -k
    timeout 20 "$E2E_WINESERVER" -w || e2e_fail "Wine did not shut down after the setup"
}

# The holder starts right after the desktop, without waiting, so that no short-lived program can
# be the desktop's last user before it; whichever of the two starts the service manager passes
# +eventlog on. Appending, since the services write to the same file from offsets of their own.
e2e_start_desktop() {
    E2E_WINE_LOG=$E2E_DIR/wine-debug.log
    : >"$E2E_WINE_LOG"
    WINEDEBUG=+eventlog "$E2E_WINE" explorer "/desktop=Default,$E2E_SCREEN" \
        >>"$E2E_DIR/desktop.out" 2>>"$E2E_WINE_LOG" &
    E2E_DESKTOP_PID=$!
    WINEDEBUG=+eventlog "$E2E_WINE" "$E2E_HELPER" hold "$E2E_HOLD_SECONDS" \
        >>"$E2E_DIR/hold.out" 2>>"$E2E_WINE_LOG" &
    E2E_HOLD_PID=$!
    e2e_wait_for 60 grep -q holding "$E2E_DIR/hold.out" || e2e_fail "the desktop holder did not start"
    e2e_wait_for 60 e2e_window_exists --class Shell_TrayWnd || e2e_fail "no Wine desktop"
}

# X, a fresh prefix and the desktop, about 7 s, and the cleanup trap. Every step is bounded, so
# on SIGINT or SIGTERM the cleanup runs as soon as the current step returns.
e2e_setup() {
    [[ -f $E2E_HELPER ]] || e2e_fail "missing $E2E_HELPER"
    E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/e2e.XXXXXX")
    trap e2e_cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    e2e_start_xvfb
    e2e_log "Xvfb on $DISPLAY, work directory $E2E_DIR"
    e2e_make_prefix
    e2e_log "prefix ready"
    e2e_start_desktop
    e2e_log "desktop ready"
}

e2e_kill_pid() {
    [[ -n ${1:-} ]] && kill "$1" 2>/dev/null && wait "$1" 2>/dev/null
    return 0
}

# The EXIT trap: ends every Wine process of the prefix, then X, and keeps the exit status. Every
# step runs whatever the caller's set -e, and a second signal cannot cut it short.
e2e_cleanup() {
    local status=$?
    set +e
    trap - EXIT
    trap '' INT TERM
    if [[ -n ${WINEPREFIX:-} ]]; then
        timeout 20 "$E2E_WINESERVER" -k 2>/dev/null
        timeout 20 "$E2E_WINESERVER" -w 2>/dev/null
    fi
    e2e_kill_pid "${E2E_HOLD_PID:-}"
    e2e_kill_pid "${E2E_DESKTOP_PID:-}"
    e2e_kill_pid "${E2E_XVFB_PID:-}"
    if [[ $E2E_KEEP == 1 ]]; then
        e2e_log "kept $E2E_DIR"
    else
        rm -rf "$E2E_DIR"
    fi
    exit "$status"
}

# e2e_helper SUBCOMMAND ARGS...: runs e2ehelper.exe; its stdout and exit code pass through.
e2e_helper() {
    WINEDEBUG=-all timeout -k 5 "$E2E_TOOL_TIMEOUT" "$E2E_WINE" "$E2E_HELPER" "$@"
}

e2e_window_exists() {
    [[ $(e2e_helper window count "$@") -gt 0 ]]
}

# e2e_run SECONDS PROGRAM ARGS...: runs a Windows program in the foreground, killed after SECONDS
# (exit code 124 then), its Wine debug output and ReportEvent entries going to $E2E_WINE_LOG.
e2e_run() {
    local seconds=$1
    shift
    WINEDEBUG=+eventlog timeout -k 5 "$seconds" "$E2E_WINE" "$@" 2>>"$E2E_WINE_LOG"
}

# The ReportEvent entries so far, one a line: "TYPE ID MESSAGE". TYPE is 1 error, 2 warning or
# 4 information; ID is the low 16 bits of the event identifier, as the event viewer shows it;
# MESSAGE is the insertion strings joined by " | ", with Wine's escapes kept but for \" and \\.
# Wine cuts strings of more than about 290 characters and appends "...".
e2e_events() {
    awk -f "$E2E_REPO/tests/e2e/events.awk" "$E2E_WINE_LOG"
}

# e2e_has_event REGEX: whether some e2e_events line matches the extended regular expression.
e2e_has_event() {
    e2e_events | grep -Eq "$1"
}

e2e_screenshot() {
    timeout 20 import -display "$DISPLAY" -window root "$1"
}

# e2e_tray_point [INDEX]: "X Y" of the centre of tray icon INDEX (default 0), see the top.
e2e_tray_point() {
    local index=${1:-0}
    echo "$(($(e2e_screen_width) - 10 - 20 * index)) $(($(e2e_screen_height) - 10))"
}

e2e_tray_double_click() {
    local x y
    read -r x y < <(e2e_tray_point "${1:-0}")
    timeout 10 xdotool mousemove "$x" "$y" click --repeat 2 --delay 100 1
}

e2e_tray_right_click() {
    local x y
    read -r x y < <(e2e_tray_point "${1:-0}")
    timeout 10 xdotool mousemove "$x" "$y" click 3
}
