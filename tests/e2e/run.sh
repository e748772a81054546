#!/usr/bin/env bash
# Drives Quillmarten.exe under Wine as a person and the service manager would, from install to
# removal, against the log's bytes, the registry, the event log, the windows and the Linux build's
# report command (build/native); keeps screenshots in build/e2e-artifacts/BUILD.
# Usage: tests/e2e/run.sh BUILD_DIR   (a windows-x86_64 or windows-i686 build directory)
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "${1:?usage: run.sh BUILD_DIR}"
rm -f "$artifacts"/*.png
main=QuillmartenHourMeter

double_click() { tray_click 0 --repeat 2 --delay 100 1 && wait_for 10 "$1" "$main"; }

# lists_sessions "rows COUNT,selected INDEX," RECORD...: the list shows that, its first rows the
# starts of those records as dd/mm/yyyy-hh:nn:ss.
lists_sessions() {
    local rows row s && [[ $(rows_selected "$main") == "$1" ]] && rows=$(e2e_helper rows "$main") || return
    for ((row = 0; row < $# - 1; row++)); do
        s=$(record_start "$log_file" "${@:row + 2:1}")
        awk -F'\t' -v i=$row '$1 == "row" && $2 == i {print $3}' <<<"$rows" |
            grep -qxF "${s:6:2}/${s:4:2}/${s:0:4}-${s:8:2}:${s:10:2}:${s:12:2}" || return
    done
}

# The caption's grand total is the sum of the rows' time in use.
rows_total() {
    e2e_helper rows "$main" | awk -F'\t' '$1 == "row" { split($5, t, ":")
        sum += ((t[1] * 24 + t[2]) * 60 + t[3]) * 60 + t[4] } END { print sum + 0 }'
}

# The build's report command writes, for every grouping and format, the Linux build's bytes.
same_as_native() {
    local by format native=$E2E_REPO/build/native/programs/report/quillmarten-report
    for by in session day week month; do for format in table csv json; do
        report --by "$by" --format "$format" "office=$log_name" >"$E2E_DIR/windows.out" &&
            cmp "$E2E_DIR/windows.out" <("$native" --by "$by" --format "$format" "office=$log_file") || return
    done; done
}

# A topmost tool window of 361 x 104 or wider, centred, its caption the version's.
main_window_as_shown() {
    [[ $(e2e_helper find "$main") =~ ^visible=1\ topmost=1\ toolwindow=1\ rect=(-?[0-9]+),-?[0-9]+,(-?[0-9]+),-?[0-9]+\ client=([0-9]+)x104\ title=Quillmarten\ -\ Version\ 1\.0\.45\ -\  ]] &&
        ((BASH_REMATCH[3] >= 361 && (BASH_REMATCH[1] + BASH_REMATCH[2] - ${E2E_SCREEN%x*}) ** 2 <= 4))
}
# ends_at_once [ARGUMENTS]: the program started by hand with them ends with 0 and shows no box; the
# service runs on.
ends_at_once() {
    [[ "$(e2e_helper launch 30 "\"$exe\"${1:+ $1}") $(window_count '#32770') $(service_state)" == "exit 0 0 RUNNING" ]]
}

# A 32-bit build lies in Program Files (x86): the service's registration holds the path that the
# program itself sees, and 64-bit Windows (Wine's 64-bit service manager and reg) reads it there.
section "install from a folder whose name holds a blank, in $E2E_PROGRAM_FILES"
install_in "Quill Meter" report
config=$(registry "$service_key" /s)
check "service registered as the quoted path, its event source as the executable" registered_as "\"$exe\""

section "first start"
start_service
started_at=$SECONDS
check "main window appears" wait_for 20 shown "$main"
wine_dlls=x86_64-windows && ((E2E_BITS == 64)) || wine_dlls=i386-windows
check "service runs as a $E2E_BITS-bit program, on Wine's $wine_dlls DLLs" \
    grep -q "/$wine_dlls/ntdll.dll\$" "/proc/$(program_pid)/maps"
sleep 2.5
check "main window is a centred topmost tool window of 361 x 104 or wider, its caption the version's" \
    main_window_as_shown
check "log file is one valid 40-byte record" \
    eval '[[ $(stat -c %s "$log_file") == 40 ]] && record_is_valid "$log_file" 1'
check "list has its three columns, each as wide as given or as its texts need" columns_fit "$main"
check "list shows the one session, selected, with the record's start" lists_sessions "rows 1,selected 0," 1
check "caption ends with the running total, the rows' sum" wait_for 10 within_caption_totals 0 rows_total
check "tray icon is green" tray_is green 0 main-window.png

section "pause, continue and a custom request"
# A pause is an error entry, a continue an information one.
for step in "pause PAUSED 1 109 paused red = stands still" "continue RUNNING 4 110 continued green != moves on"; do
    read -r request state type id word colour same motion <<<"$step"
    e2e_helper control Quillmarten "$request"
    check "$request is reported as done" wait_for 10 service_is "$state"
    check "$request writes its entry" wait_for 10 events_since 0 "^$type $id Service $word\$"
    sleep 1.2 && record=$(record_bytes "$log_file" 1)
    check "tray icon turns $colour" tray_is "$colour" 0 "tray-$word.png"
    sleep 2.5
    check "record $motion after the $request" test "$(record_bytes "$log_file" 1)" "$same" "$record"
done
check "event viewer shows ids 109 and 110 with the entries' own text" test "$(e2e_helper eventtext \
    "$exe" 109 "Service paused"), $(e2e_helper eventtext "$exe" 110 "Service continued")" \
    = "Service paused, Service continued"
entries=$(event_count)
e2e_helper control Quillmarten 200 && sleep 1
check "custom request 200 leaves the service running and writes no entry" \
    test "$(service_state) $(event_count)" = "RUNNING $entries"
for arguments in /u ""; do check "second instance with \"$arguments\" ends at once without a box" ends_at_once "$arguments"; done

section "the window, the tray icon and the about window"
check "main window hides between 28 and 40 s after start" eval \
    'wait_for $((40 - (SECONDS - started_at))) hidden "$main" && ((SECONDS - started_at >= 28))'
check "double-click shows the window, a second hides it" eval 'double_click shown && double_click hidden'
check "user's close only hides the window; the service runs on" eval 'double_click shown &&
    e2e_helper close "$main" && wait_for 10 hidden "$main" && windows_exist "$main" && service_is RUNNING'
check "right button and Info open the about window" \
    eval 'choose_tray_item 0 0 1 && wait_for 10 windows_exist QuillmartenInfo'
check "Info twice gives one about window" \
    eval 'choose_tray_item 0 0 1 && sleep 1 && [[ $(window_count QuillmartenInfo) == 1 ]]'
check "about window is topmost at the top-left corner" \
    window_is QuillmartenInfo "visible=1 topmost=1 *rect=0,0,* title=Quillmarten"
check "about window shows its product line and both links whole" labels_show_whole QuillmartenInfo 3
cp "$E2E_DIR/now.png" "$artifacts/about-window.png"
e2e_helper close QuillmartenInfo

section "stop, a second start while another program holds the single-instance name, the report"
first_start=$(record_start "$log_file" 1)
entries=$(event_count)
check "service stops and its process ends" stop_service
check "stop writes no entry" test "$(event_count)" = "$entries"
check "record is intact after the stop and keeps its start" \
    eval 'record_is_valid "$log_file" 1 && [[ $(record_start "$log_file" 1) == "$first_start" ]]'
cp "$log_file" "$E2E_DIR/stopped.dat"
own_instance_name || e2e_fail "the single-instance name could not be taken"
start_service
wait_for 20 shown "$main" && sleep 2.5
check "new record lands at number 3, behind a gap of zeros; the first stays as stopped" \
    holds_before_then_record "$E2E_DIR/stopped.dat" 3
check "list shows both sessions in order, the new one selected" lists_sessions "rows 2,selected 1," 1 3
check "caption total is the sum of both sessions" wait_for 10 within_caption_totals 0 rows_total
check "a start by hand while the name is held ends at once, the service running on" ends_at_once
disown_instance_name
entries=$(event_count) log_name="$folder\\Quillmarten.dat"
for _ in 1 2 3 4 5 6 7 8; do
    report --format csv "office=$log_name" >"$E2E_DIR/report.csv"
    echo "exit $?"
done >"$E2E_DIR/report.status"
check "eight report runs read the whole log" test "$(sort -u "$E2E_DIR/report.status")" = "exit 0"
check "and list both sessions, the first with its start" test "$(grep -c -e '^office,3,' -e \
    "^office,1,${first_start:0:4}-${first_start:4:2}-${first_start:6:2}T" "$E2E_DIR/report.csv")" = 2
check "while the service logs no error" test "$(events_since "$entries" '^1 ')" = 0
stop_service
check "on the log the service left, the report writes the Linux build's bytes in every form" same_as_native

section "refused arguments, a start by anything but the service manager, removal"
for arguments in /I "/u "; do check_message "$arguments" "Invalid Parameter"; done
check "service is still installed as it was" test "$(registry "$service_key" /s)" = "$config"
entries=$(event_count)
e2e_run 60 "$program_dir/Quillmarten.exe" >/dev/null 2>&1; status=$?
check "a start by hand ends with a non-zero exit code instead of waiting" \
    test "$status" -ne 0 -a "$status" -ne 124
check "and writes an error report" wait_for 5 events_since "$entries" '^1 109 \[[0-9]+\] .* - RunService$'
check_message "/u" "Quillmarten: uninstalled successfully"
check "service and its event source are gone" eval '! registry "$service_key" >/dev/null &&
    [[ -z $(service_state) ]] && ! registry "$source_key" >/dev/null'
check_message "/u" "Quillmarten: failed to uninstall"
check "log file stays" test -s "$log_file"

summary
