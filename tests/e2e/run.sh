#!/usr/bin/env bash
# Drives the real Quillmarten.exe under Wine as a person and the service manager would: install
# from a folder whose name holds a blank, start, pause, continue, a custom request, stop, a second
# start, second instances, refused arguments, the tray icon, the windows, and removal. Checks the
# log file's bytes, the registry, the event-log entries, the list and the windows, and keeps
# screenshots in build/e2e-artifacts.
# Usage: tests/e2e/run.sh BUILD_DIR   (the windows-x86_64 build directory)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"
source "$here/checks.sh"
e2e_test_build "${1:?usage: run.sh BUILD_DIR}"

folder_unix="Program Files/Quill Meter"
folder='C:\Program Files\Quill Meter'
exe="$folder\\Quillmarten.exe"
main_window=(--title-prefix "Quillmarten - Version 1.0.45")

rm -rf "$artifacts" && mkdir -p "$artifacts"
e2e_setup
log_file="$WINEPREFIX/drive_c/$folder_unix/Quillmarten.dat"

section "install from a folder whose name holds a blank"
install_program
config=$(e2e_helper service Quillmarten config)
check "service runs the quoted path" grep -qxF "binary_path=\"$exe\"" <<<"$config"
check "service starts automatically" grep -qx "start_type=AUTO_START" <<<"$config"
check "service is interactive and has its own process" \
    grep -qx "service_type=WIN32_OWN_PROCESS|INTERACTIVE_PROCESS" <<<"$config"
check "service runs as LocalSystem" grep -qx "account=LocalSystem" <<<"$config"
check "service has a description" grep -q "^description=..*" <<<"$config"
check "setting TimerInterval is 1000" registry_has \
    'HKLM\System\CurrentControlSet\Services\Quillmarten\Parameters' "TimerInterval.*REG_SZ.*1000"
check "event source points at the executable" registry_has \
    'HKLM\System\CurrentControlSet\Services\EventLog\Application\Quillmarten' \
    "EventMessageFile.*Quill Meter.Quillmarten.exe"

section "first start"
start_service
started_at=$SECONDS
check "main window appears" e2e_helper window wait-visible "${main_window[@]}" 1 20
sleep 2.5
window=$(e2e_helper window find "${main_window[@]}")
check "main window is a topmost tool window of 361 x 104" \
    grep -q "visible=1 topmost=1 toolwindow=1 .*client=361x104" <<<"$window"
check "main window is centred" window_is_centred "$window"
check "log file holds one 40-byte record" test "$(stat -c %s "$log_file")" -eq 40
check "record is a length of 38 and 38 digits" record_is_valid "$log_file" 1
rows=$(e2e_helper window rows "${main_window[@]}")
check "list has its three columns" grep -qx $'column\t2\t87\tTime in use' <<<"$rows"
check "list shows the one session" grep -q $'^rows\t1$' <<<"$rows"
check "its row is selected" grep -q $'^selected\t0$' <<<"$rows"
check "row shows the record's start" row_matches_record "$rows" 0 "$log_file" 1
check "caption ends with the running total" caption_total_matches "${main_window[@]}"
e2e_screenshot "$artifacts/main-window.png"
e2e_screenshot "$artifacts/tray-running.png"
check "tray icon is green" test "$(tray_colour "$artifacts/tray-running.png")" = green

section "pause, continue and a custom request"
e2e_helper service Quillmarten pause >/dev/null
check "pause is reported as done" e2e_helper service Quillmarten wait PAUSED 10
check "pause writes an information entry" e2e_wait_for 10 e2e_has_event "^4 109 Service paused$"
sleep 1.2
paused_record=$(record_bytes "$log_file" 1)
e2e_screenshot "$artifacts/tray-paused.png"
check "tray icon is red while paused" test "$(tray_colour "$artifacts/tray-paused.png")" = red
sleep 2.5
check "record stands still while paused" test "$(record_bytes "$log_file" 1)" = "$paused_record"
e2e_helper service Quillmarten continue >/dev/null
check "continue is reported as done" e2e_helper service Quillmarten wait RUNNING 10
check "continue writes its entry" e2e_wait_for 10 e2e_has_event "^4 110 Service continued$"
check "event viewer shows id 109 with the entry's own text" \
    test "$(e2e_helper eventtext "$exe" 109 "Service paused")" = "Service paused"
check "event viewer shows id 110 with the entry's own text" \
    test "$(e2e_helper eventtext "$exe" 110 "Service continued")" = "Service continued"
sleep 2.5
check "record moves on after continue" test "$(record_bytes "$log_file" 1)" != "$paused_record"
e2e_screenshot "$artifacts/tray-continued.png"
check "tray icon is green again" test "$(tray_colour "$artifacts/tray-continued.png")" = green
entries=$(e2e_events | wc -l)
check "custom request leaves the service running" \
    test "$(e2e_helper service Quillmarten control 200)" = RUNNING
sleep 1
check "custom request writes no entry" test "$(e2e_events | wc -l)" -eq "$entries"

section "a second instance while the service runs"
check_silent_end "/u"
check_silent_end ""
check "service still runs" test "$(e2e_helper service Quillmarten state)" = RUNNING

section "the window hides itself 30 s after start"
check "main window hidden within 40 s of start" \
    e2e_helper window wait-visible "${main_window[@]}" 0 $((40 - (SECONDS - started_at)))
check "not before 28 s" test $((SECONDS - started_at)) -ge 28

section "tray icon and main window"
e2e_tray_double_click 0
check "double-click shows the window" e2e_helper window wait-visible "${main_window[@]}" 1 10
e2e_tray_double_click 0
check "second double-click hides it" e2e_helper window wait-visible "${main_window[@]}" 0 10
e2e_tray_double_click 0
e2e_helper window wait-visible "${main_window[@]}" 1 10 >/dev/null
e2e_helper window close "${main_window[@]}" >/dev/null
check "user's close only hides the window" e2e_helper window wait-visible "${main_window[@]}" 0 10
check "window still exists after the close" e2e_window_exists "${main_window[@]}"
check "service still runs after the close" test "$(e2e_helper service Quillmarten state)" = RUNNING
check "right button opens the menu and Info is chosen" choose_info
check "Info opens the about window" e2e_wait_for 10 e2e_window_exists --class QuillmartenInfo
check "Info is chosen a second time" choose_info
sleep 1
check "Info twice gives one about window" test "$(e2e_helper window count --class QuillmartenInfo)" -eq 1
about=$(e2e_helper window find --class QuillmartenInfo)
check "about window is topmost at the top-left corner" \
    grep -q "visible=1 topmost=1 .*rect=0,0,.* title=Quillmarten$" <<<"$about"
e2e_screenshot "$artifacts/about-window.png"
e2e_helper window close --class QuillmartenInfo >/dev/null

section "stop"
first_record_before_stop=$(record_bytes "$log_file" 1)
entries=$(e2e_events | wc -l)
"$E2E_WINE" sc stop Quillmarten >/dev/null 2>&1
check "service stops" e2e_helper service Quillmarten wait STOPPED 20
check "process ends" e2e_wait_for 10 program_gone
check "stop writes no entry" test "$(e2e_events | wc -l)" -eq "$entries"
check "record is intact after the stop" record_is_valid "$log_file" 1
check "record keeps its start" \
    test "$(record_bytes "$log_file" 1 | cut -c1-14)" = "$(cut -c1-14 <<<"$first_record_before_stop")"

section "second start"
start_service
check "main window appears again" e2e_helper window wait-visible "${main_window[@]}" 1 20
sleep 2.5
check "new record lands at number 3" test "$(stat -c %s "$log_file")" -eq 120
check "record 2 is a gap of zeros" test "$(record_hex "$log_file" 2)" = "$(printf '0%.0s' {1..80})"
check "record 3 is valid" record_is_valid "$log_file" 3
rows=$(e2e_helper window rows "${main_window[@]}")
check "list shows both sessions" grep -q $'^rows\t2$' <<<"$rows"
check "the new session's row is selected" grep -q $'^selected\t1$' <<<"$rows"
check "first row is the first session" row_matches_record "$rows" 0 "$log_file" 1
check "caption total is the sum of both sessions" caption_total_matches "${main_window[@]}"

section "the report command on the live log, from a folder whose name holds a blank"
cp "$build/report/quillmarten-report.exe" "$WINEPREFIX/drive_c/$folder_unix/"
entries=$(e2e_events | wc -l)
for run in 1 2 3 4 5 6 7 8; do
    e2e_run 60 "$folder\\quillmarten-report.exe" --format csv "office=$folder\\Quillmarten.dat" \
        >"$E2E_DIR/report-$run.csv"
    echo "exit $?" >>"$E2E_DIR/report-$run.status"
done
check "every run reads the whole log" \
    test "$(cat "$E2E_DIR"/report-*.status | sort -u)" = "exit 0"
check "and lists both sessions" \
    test "$(tr -d '\r' <"$E2E_DIR/report-8.csv" | grep -c '^office,[13],')" -eq 2
start=$(record_bytes "$log_file" 1 | cut -c1-14)
check "with the first session's start" grep -q "^office,1,${start:0:4}-${start:4:2}-${start:6:2}T" \
    "$E2E_DIR/report-8.csv"
check "while the service logs no error" test "$(e2e_events | tail -n +$((entries + 1)) |
    grep -c '^1 ')" -eq 0
stop_service

section "refused arguments change nothing"
for argument in "/I" "-i" "/u " "/i /u"; do
    check_message "$argument" "Invalid Parameter"
done
check "service is still installed as it was" \
    test "$(e2e_helper service Quillmarten config)" = "$config"

section "a start by anything but the service manager"
before=$(e2e_events | wc -l)
e2e_run 60 "$WINEPREFIX/drive_c/$folder_unix/Quillmarten.exe" >/dev/null 2>&1
status=$?
check "ends with a non-zero exit code instead of waiting" test "$status" -ne 0 -a "$status" -ne 124
check "writes an error report" e2e_wait_for 5 new_event_matches "$before" "^1 109 \[[0-9]+\] .* - RunService$"

section "removal"
check_message "/u" "Quillmarten: uninstalled successfully"
check "service is gone" test "$(e2e_helper service Quillmarten state)" = NOT_INSTALLED
check "event source is gone" registry_lacks \
    'HKLM\System\CurrentControlSet\Services\EventLog\Application\Quillmarten'
check_message "/u" "Quillmarten: failed to uninstall"
check "log file stays" test -s "$log_file"

summary
