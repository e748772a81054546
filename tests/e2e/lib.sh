# shellcheck shell=bash
# Harness for end-to-end tests of a Windows program under Wine on a headless X server.
#
# Source this file, call e2e_setup, drive the program, and let the EXIT trap clean up:
#
#   source tests/e2e/lib.sh
#   e2e_setup
#   e2e_helper service Quillmarten state
#
# How the pieces fit together on this machine (Debian 12, Wine 8, 64-bit only):
#
# - Each run gets its own X display (Xvfb picks a free number through -displayfd) and its own
#   temporary 64-bit WINEPREFIX, so runs never share state and may run side by side.
# - The prefix is told to show the desktop named "Default" as a virtual desktop of E2E_SCREEN.
#   Every program, including a SERVICE_INTERACTIVE_PROCESS service started by the service
#   manager, uses that desktop. So all windows, the taskbar and the tray icons are drawn by Wine
#   inside one X window at 0,0 that fills the screen, captions included (Xvfb has no window
#   manager), and the helpers see all of them through EnumWindows.
# - The first Wine process of the prefix starts Wine's service manager, and every service inherits
#   that process's stderr and WINEDEBUG. The desktop is started first, with WINEDEBUG=+eventlog and
#   stderr appended to $E2E_WINE_LOG, which is therefore where ReportEvent entries land (Wine
#   keeps no readable event log). Programs run through e2e_run and e2e_start_bg log there too.
#   e2e_events turns the entries into "TYPE ID MESSAGE" lines.
# - Wine closes a desktop about a second after the last program using it exits, and ends the
#   service manager (and a running service) with the last user process. `e2ehelper hold` holds
#   the desktop for the whole run so that a test may, for example, let an installer exit before it
#   starts the service.
#
# Tray icons: the "Default" virtual desktop has a taskbar (top-level window of class
# Shell_TrayWnd) along the bottom edge, 20 px high: y from HEIGHT-20 to HEIGHT. Wine 8 keeps it
# hidden (rect 0,0,0,0) until the first tray icon arrives. Its notification area sits at the
# right end: tray icons take 20 px wide cells from the right edge leftwards in the order they
# were added, so icon INDEX (0 = first added) is centred at
#   x = WIDTH - 10 - 20 * INDEX,  y = HEIGHT - 10        (1024x768: icon 0 at 1014,758)
# When an earlier icon is removed, the later ones move one cell to the right. Clicking there
# delivers the icon's callback message to its owner with lParam = the mouse message, for example
# (seen with xdotool): double-click 0x200 (move), 0x201, 0x202, 0x203 (WM_LBUTTONDBLCLK), 0x202;
# right-click 0x204 (WM_RBUTTONDOWN), 0x205. A context menu the owner then opens is a top-level
# window of class #32768.
#
# Settings (environment, read when this file is sourced):
#   E2E_HELPER        the path of e2ehelper.exe
#                     (default: build/windows-x86_64/tests/e2e/helper of this repository)
#   E2E_SCREEN        virtual desktop and X screen size (default 1024x768)
#   E2E_TOOL_TIMEOUT  seconds after which a helper is killed (default 120); the helpers' own
#                     SECONDS arguments are the real waits, this is only a safety net
#   E2E_KEEP          1 keeps the work directory (prefix, logs, screenshots) after the run
#
# After e2e_setup: E2E_DIR (work directory), E2E_WINE_LOG (captured Wine debug output),
# DISPLAY, WINEPREFIX, WINEARCH and WINEDEBUG are set.

E2E_WINE=/usr/lib/wine/wine64
E2E_WINESERVER=/usr/lib/wine/wineserver
E2E_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_HELPER=${E2E_HELPER:-$E2E_REPO/build/windows-x86_64/tests/e2e/helper/e2ehelper.exe}
E2E_SCREEN=${E2E_SCREEN:-1024x768}
E2E_TOOL_TIMEOUT=${E2E_TOOL_TIMEOUT:-120}
E2E_KEEP=${E2E_KEEP:-0}
# Long enough for any run; the cleanup ends it earlier.
E2E_HOLD_SECONDS=3600
E2E_START_SECONDS=$SECONDS
# Mono and Gecko would offer an interactive download, and the menu builder would write launchers
# into $HOME; none of them is needed.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

e2e_log() {
    echo "[e2e $((SECONDS - E2E_START_SECONDS))s] $*" >&2
}

# Ends the test script; the EXIT trap cleans up.
e2e_fail() {
    e2e_log "FAIL: $*"
    exit 1
}

# e2e_wait_for SECONDS COMMAND [ARGS...]: re-runs COMMAND every 0.2 s until it succeeds.
# Returns 1 if it still fails after SECONDS. The arguments are expanded once, before the first
# try, so a condition that needs a fresh $(...) each time belongs in a function.
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

e2e_start_xvfb() {
    local display_file=$E2E_DIR/display
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN}x24" -nolisten tcp \
        3>"$display_file" >"$E2E_DIR/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    e2e_wait_for 20 grep -q '^[0-9][0-9]*$' "$display_file" || e2e_fail "Xvfb did not start"
    DISPLAY=":$(cat "$display_file")"
    export DISPLAY
}

# Runs a Wine program during setup, silenced and bounded.
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
    # The desktop started next must be the prefix's first process again, see the top. Killing
    # is safe once wineboot has returned (the registry is saved as the server exits) and saves
    # the 5 s Wine would otherwise linger.
    timeout 20 "$E2E_WINESERVER" -k
    timeout 20 "$E2E_WINESERVER" -w || e2e_fail "Wine did not shut down after the setup"
}

# The holder starts right after the desktop, without waiting, so that no short-lived program can be
# the desktop's last user before it. Both write to the log with +eventlog, so whichever of them
# starts Wine's service manager passes both on to it. Appending, because the services write to
# the same file from file offsets of their own.
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

e2e_check_helper() {
    [[ -f $E2E_HELPER ]] || e2e_fail "missing $E2E_HELPER"
}

# Starts X, a fresh prefix and the desktop, and installs the cleanup trap. About 7 s. On SIGINT or
# SIGTERM the cleanup runs as soon as the current step returns; every step is bounded.
e2e_setup() {
    e2e_check_helper
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

# The EXIT trap: ends every Wine process of the prefix, then X; keeps the exit status. Every step
# runs even if an earlier one fails (no Wine left to kill, say), whatever the caller's set -e,
# and a second signal cannot cut it short.
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
    e2e_kill_pid "${E2E_BG_PID:-}"
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

# e2e_run SECONDS PROGRAM ARGS...: runs a Windows program (Windows or Unix path) in the
# foreground, killed after SECONDS (exit code 124 then). Its Wine debug output, ReportEvent
# entries included, goes to $E2E_WINE_LOG.
e2e_run() {
    local seconds=$1
    shift
    WINEDEBUG=+eventlog timeout -k 5 "$seconds" "$E2E_WINE" "$@" 2>>"$E2E_WINE_LOG"
}

# e2e_start_bg SECONDS OUTFILE PROGRAM ARGS...: like e2e_run, in the background with stdout in
# OUTFILE, for a program that blocks, for example on a message box. Sets E2E_BG_PID; one such
# program at a time.
e2e_start_bg() {
    local seconds=$1 outfile=$2
    shift 2
    e2e_run "$seconds" "$@" >"$outfile" &
    E2E_BG_PID=$!
}

# Waits for the program started by e2e_start_bg (bounded by its SECONDS) and returns its exit
# code.
e2e_wait_bg() {
    local status=0
    wait "$E2E_BG_PID" || status=$?
    E2E_BG_PID=
    return "$status"
}

# e2e_copy_into_prefix FILE: copies FILE to C:\e2e\ in the prefix and prints its Windows path,
# for programs that should run from a drive of their own rather than from Z:.
e2e_copy_into_prefix() {
    mkdir -p "$WINEPREFIX/drive_c/e2e"
    cp "$1" "$WINEPREFIX/drive_c/e2e/"
    printf 'C:\\e2e\\%s\n' "$(basename "$1")"
}

# e2e_events [FILE]: the ReportEvent entries so far, one per line: "TYPE ID MESSAGE".
# TYPE is decimal (1 error, 2 warning, 4 information); ID is the event code, the low 16 bits of
# the event identifier, as the Windows event viewer shows it; MESSAGE is the insertion strings
# joined by " | ", with Wine's escapes left in place except \" and \\. Wine cuts strings of more
# than about 290 characters and appends "...".
e2e_events() {
    awk -f "$E2E_REPO/tests/e2e/events.awk" "${1:-$E2E_WINE_LOG}"
}

# e2e_has_event REGEX: whether some e2e_events line matches the extended regular expression.
e2e_has_event() {
    e2e_events "$E2E_WINE_LOG" | grep -Eq "$1"
}

# e2e_screenshot FILE: the whole X screen as PNG.
e2e_screenshot() {
    timeout 20 import -display "$DISPLAY" -window root "$1"
}

# e2e_pixel FILE X Y: the colour at X,Y of a screenshot as "R G B", 0..255 each.
e2e_pixel() {
    local at="p{$2,$3}"
    convert "$1" -format "%[fx:int(255*$at.r)] %[fx:int(255*$at.g)] %[fx:int(255*$at.b)]" info:
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
