#!/bin/bash
# The checks that selfcheck.sh runs in a child process, against programs that come with Wine.
# Usage: selfcheck_checks.sh checks|wine-gone STATE_FILE
#   checks     runs every check, writes "passed", then waits to be stopped with SIGTERM
#   wine-gone  ends Wine behind the harness's back, writes "passed", then fails a step (set -e)
# Both write "WINEPREFIX XVFB_PID WORK_DIR" to STATE_FILE after the setup, for selfcheck.sh to
# check that the cleanup leaves none of them behind.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
source "$here/lib.sh"

mode=$1
state_file=$2

expect_eq() {
    [[ $1 == "$2" ]] || e2e_fail "$3: expected '$2', got '$1'"
}

expect_match() {
    [[ $1 =~ $2 ]] || e2e_fail "$3: '$1' does not match '$2'"
}

# expect_status STATUS WHAT COMMAND...: COMMAND must end with exit code STATUS.
expect_status() {
    local wanted=$1 what=$2 status=0
    shift 2
    "$@" >/dev/null 2>&1 || status=$?
    expect_eq "$status" "$wanted" "$what"
}

check_events_parser() {
    diff <(e2e_events "$here/fixtures/wine-eventlog.txt") "$here/fixtures/wine-eventlog.expected" ||
        e2e_fail "e2e_events misreads the captured ReportEvent output"
}

check_services() {
    expect_eq "$(e2e_tool svcctl E2eSelfCheckMissing state)" NOT_INSTALLED "state of no service"
    local config
    config=$(e2e_tool svcctl Spooler config)
    expect_match "$config" $'binary_path=C:\\\\windows\\\\system32\\\\spoolsv.exe\n' "config"
    expect_match "$config" $'start_type=DEMAND_START\n' "start type"
    expect_match "$config" $'service_type=WIN32_OWN_PROCESS' "service type"
    e2e_run 20 sc start Spooler >/dev/null
    expect_eq "$(e2e_tool svcctl Spooler wait RUNNING 10)" RUNNING "Spooler started"
    expect_status 1 "pause of a service that cannot pause" e2e_tool svcctl Spooler pause
    e2e_run 20 sc stop Spooler >/dev/null
    expect_eq "$(e2e_tool svcctl Spooler wait STOPPED 10)" STOPPED "Spooler stopped"
    expect_status 1 "wait that times out" e2e_tool svcctl Spooler wait RUNNING 1
    expect_status 2 "control code out of range" e2e_tool svcctl Spooler control 12
}

check_message_box() {
    mkdir -p "$WINEPREFIX/drive_c/e2e"
    printf 'MsgBox "Hello from the self-check", 0, "E2E self-check"\r\n' \
        >"$WINEPREFIX/drive_c/e2e/box.vbs"
    e2e_start_bg 30 "$E2E_DIR/wscript.out" wscript 'C:\e2e\box.vbs'
    expect_eq "$(e2e_tool msgbox wait "E2E self-check" 20)" "Hello from the self-check" "msgbox"
    e2e_wait_bg || e2e_fail "wscript did not end after OK"
    expect_status 1 "msgbox wait without a message box" e2e_tool msgbox wait "E2E absent" 1
}

# Task Manager lists regedit in its list view and, like the program under test, puts an icon into
# the tray, which makes Wine show the taskbar; its icon opens a context menu on a right-click.
check_task_manager() {
    e2e_run 60 taskmgr >/dev/null &
    local taskmgr=$!
    e2e_tool wininfo wait-visible --title "Task Manager" 1 20 >/dev/null ||
        e2e_fail "no Task Manager window"
    expect_match "$(e2e_tool wininfo rows --title "Task Manager")" \
        $'\nrow\t0\t0\tRegistry Editor\tRunning\n' "rows of another program's list"
    check_tray
    e2e_tool wininfo close --title "Task Manager" >/dev/null
    wait "$taskmgr" || e2e_fail "Task Manager did not end after WM_CLOSE"
}

check_tray() {
    local width height x y
    width=$(e2e_screen_width)
    height=$(e2e_screen_height)
    e2e_tool wininfo wait-visible --class Shell_TrayWnd 1 20 >/dev/null || e2e_fail "no taskbar"
    expect_match "$(e2e_tool wininfo find --class Shell_TrayWnd)" \
        " rect=0,$((height - 20)),$width,$height " "taskbar along the bottom"
    read -r x y < <(e2e_tray_point 0)
    e2e_screenshot "$E2E_DIR/screen.png"
    expect_eq "$(identify -format %wx%h "$E2E_DIR/screen.png")" "$E2E_SCREEN" "screenshot size"
    [[ $(e2e_pixel "$E2E_DIR/screen.png" "$x" "$y") != "255 255 255" ]] ||
        e2e_fail "no tray icon drawn at $x,$y"
    e2e_tray_right_click 0
    e2e_tool wininfo wait-visible --class '#32768' 1 10 >/dev/null ||
        e2e_fail "no context menu after a right-click on the tray icon"
    timeout 10 xdotool key Escape
    e2e_tool wininfo wait-visible --class '#32768' 0 10 >/dev/null || e2e_fail "menu stayed open"
}

check_windows() {
    e2e_start_bg 60 "$E2E_DIR/regedit.out" regedit
    e2e_tool wininfo wait-visible --class RegEdit_RegEdit 1 20 >/dev/null ||
        e2e_fail "no regedit window"
    local line='^hwnd=0x[0-9A-F]+ visible=1 topmost=0 toolwindow=0 appwindow=0 rect=[0-9,-]+ '
    line+='client=[0-9]+x[0-9]+ class=RegEdit_RegEdit title=Registry Editor$'
    expect_match "$(e2e_tool wininfo find --class RegEdit_RegEdit)" "$line" "find"
    expect_eq "$(e2e_tool wininfo count --title-prefix "Registry Ed" --visible)" 1 "count"
    expect_eq "$(e2e_tool wininfo rows --class RegEdit_RegEdit | cut -f1,2,4 | tr '\t\n' ' ;')" \
        "columns 3;column 0 Name;column 1 Type;column 2 Data;rows 0;selected -1;" "columns"
    expect_status 1 "rows of a window without a list" e2e_tool wininfo rows --class Shell_TrayWnd
    check_task_manager
    e2e_tool wininfo close --class RegEdit_RegEdit >/dev/null
    e2e_tool wininfo wait-visible --class RegEdit_RegEdit 0 10 >/dev/null ||
        e2e_fail "regedit still visible after WM_CLOSE"
    e2e_wait_bg || e2e_fail "regedit did not end after WM_CLOSE"
}

check_events_parser
e2e_setup
echo "$WINEPREFIX $E2E_XVFB_PID $E2E_DIR" >"$state_file"
if [[ $mode == wine-gone ]]; then
    timeout 20 "$E2E_WINESERVER" -k
    echo passed >>"$state_file"
    false
fi
check_services
check_message_box
check_windows
echo passed >>"$state_file"
e2e_log "all checks passed; waiting to be stopped"
e2e_wait_for 120 false
