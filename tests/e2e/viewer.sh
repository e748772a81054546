#!/usr/bin/env bash
# Drives QuillmartenView.exe under Wine beside the running service, as a user would: its rows and
# total against the service's own window, its tray icon through pause, continue and stop, the
# export against the report command, Start with Windows, a second start and Exit, a log named on
# its command line; and that it never writes the log nor makes the service report an error.
# Screenshots of the window and of the icon's three forms go to build/e2e-artifacts.
# Usage: tests/e2e/viewer.sh BUILD_DIR   (the windows-x86_64 build directory)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"
source "$here/checks.sh"
e2e_test_build "${1:?usage: viewer.sh BUILD_DIR}"

folder_unix="Program Files/Quill View"
folder='C:\Program Files\Quill View'
exe="$folder\\Quillmarten.exe"
viewer="$folder\\QuillmartenView.exe"
viewer_window=(--class QuillmartenViewer)
main_window=(--title-prefix "Quillmarten - Version 1.0.45")
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

start_viewer() {
    WINEDEBUG=-all "$E2E_WINE" "$viewer" "$@" >>"$E2E_DIR/viewer.out" 2>&1 &
}

# Start, stop and time in use of every row, the last one's still moving.
row_texts() {
    e2e_helper window rows "$@" | awk -F'\t' '$1 == "row" {print $4, $5, $6}'
}

rows_match() {
    [[ $(row_texts "${main_window[@]}") == "$(row_texts "${viewer_window[@]}")" ]]
}

caption_total() {
    e2e_helper window find "$@" | sed -n 's/.* - At work since //p; s/.* - \([0-9:]*\) in all$/\1/p'
}

totals_agree() {
    local difference
    difference=$(($(duration_seconds "$(caption_total "${main_window[@]}")") -
        $(duration_seconds "$(caption_total "${viewer_window[@]}")")))
    ((difference >= -1 && difference <= 1))
}

# icon_is COLOUR INDEX: tray icon INDEX shows COLOUR on a fresh screenshot.
icon_is() {
    e2e_screenshot "$E2E_DIR/now.png" && [[ $(tray_colour "$E2E_DIR/now.png" "$2") == "$1" ]]
}

# The right end of the taskbar, four times as large.
keep_tray() {
    convert "$E2E_DIR/now.png" \
        -crop "100x28+$(($(e2e_screen_width) - 100))+$(($(e2e_screen_height) - 28))" +repage \
        -scale 400% "$artifacts/$1"
}

# export_is_report REPORT EXPORT: the same bytes, and rows for sessions 1 and 5.
export_is_report() {
    cmp "$1" "$2" && [[ $(grep -c '^C:.*Quillmarten\.dat,[15],' "$1") -eq 2 ]]
}

viewer_windows() { e2e_helper window count "${viewer_window[@]}"; }
viewer_gone() { ! program_pid QuillmartenView.exe >/dev/null; }
run_value_gone() { ! registry_has "$run_key" "Quillmarten Viewer"; }

mkdir -p "$artifacts"
e2e_setup
log_file="$WINEPREFIX/drive_c/$folder_unix/Quillmarten.dat"
install_program
cp "$build/windows/QuillmartenView.exe" "$build/report/quillmarten-report.exe" \
    "$WINEPREFIX/drive_c/$folder_unix/"
# A session, a gap, and a damaged record (a length of 4), which both windows list.
{
    printf '&\000%s' 20261201080000202612010900000000010000
    head -c 40 /dev/zero
    printf '\004\000%s' 2026 && head -c 34 /dev/zero
} >"$log_file"
start_service
e2e_helper window wait-visible "${main_window[@]}" 1 20 >/dev/null

section "beside the running service"
entries=$(e2e_events | wc -l)
start_viewer
check "its window appears" e2e_helper window wait-visible "${viewer_window[@]}" 1 20
check "a normal window with a taskbar button" \
    grep -q "visible=1 topmost=0 toolwindow=0 " <<<"$(e2e_helper window find "${viewer_window[@]}")"
check "its rows are the service's within a second" e2e_wait_for 3 rows_match
check "a session, the damaged record and the running session" \
    test "$(row_texts "${viewer_window[@]}" | wc -l)" -eq 3
check "its total is the service's within a second" e2e_wait_for 3 totals_agree
check "its icon, the second, is green" e2e_wait_for 2 icon_is green 1
keep_tray viewer-green.png
rect=$(e2e_helper window find "${viewer_window[@]}" | sed -n 's/.* rect=\([-0-9,]*\) .*/\1/p')
IFS=, read -r left top right bottom <<<"$rect"
convert "$E2E_DIR/now.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    "$artifacts/viewer-window.png"

section "pause, export, continue"
e2e_helper service Quillmarten pause >/dev/null
e2e_helper service Quillmarten wait PAUSED 10 >/dev/null
check "pause makes it red within 2 s" e2e_wait_for 2 icon_is red 1
keep_tray viewer-red.png
check "Export... opens the Save As dialog" choose_tray_item 1 1 5
check "which saves the file" e2e_helper save-as "Export the sessions" 'C:\export.csv' 10
e2e_run 60 "$folder\\quillmarten-report.exe" --by session --format csv "$folder\\Quillmarten.dat" \
    >"$E2E_DIR/report.csv"
check "the export is the report command's CSV of both sessions, byte for byte" \
    export_is_report "$E2E_DIR/report.csv" "$WINEPREFIX/drive_c/export.csv"
e2e_helper service Quillmarten continue >/dev/null
check "continue makes it green within 2 s" e2e_wait_for 2 icon_is green 1

section "start with Windows"
choose_tray_item 1 2 5 >/dev/null
check "sets the Run value to its quoted path" \
    registry_has "$run_key" "Quillmarten Viewer.*REG_SZ.*\"C:.Program Files.Quill View.QuillmartenView.exe\""
choose_tray_item 1 2 5 >/dev/null
check "and clears it again" e2e_wait_for 5 run_value_gone

section "a second start"
e2e_tray_double_click 1
check "a double-click hides the window" e2e_helper window wait-visible "${viewer_window[@]}" 0 10
check "a second start ends at once" test "$(e2e_run 30 "$viewer"; echo $?)" -eq 0
check "and shows the first one's window" e2e_helper window wait-visible "${viewer_window[@]}" 1 10
check "one viewer is left" test "$(viewer_windows)" -eq 1

section "the service stopped"
stop_service
check "the icon, now the only one, turns grey" e2e_wait_for 3 icon_is grey 0
keep_tray viewer-grey.png
cp "$log_file" "$E2E_DIR/stopped.dat"
sleep 3
check "the log's bytes stay as they were while it reads them" cmp "$E2E_DIR/stopped.dat" "$log_file"
check "the service reported no error while it ran" \
    test "$(e2e_events | tail -n +$((entries + 1)) | grep -c '^1 ')" -eq 0
check "Exit ends it" choose_tray_item 0 4 5
check "with its process" e2e_wait_for 10 viewer_gone

section "a log of 100,000 sessions named on the command line"
mkdir -p "$WINEPREFIX/drive_c/copies"
big_log "$WINEPREFIX/drive_c/copies/office log.dat" 100000
start_viewer 'C:\copies\office log.dat'
check "opens at once with the file's name and total in its caption" e2e_wait_for 20 eval \
    "e2e_helper window find ${viewer_window[*]} |
        grep -q 'title=Quillmarten Viewer - office log.dat - 40416:16:00:00 in all'"
check "lists every session" grep -qx $'rows\t100000' <<<"$(e2e_helper window rows "${viewer_window[@]}")"
check "and shows a grey icon" e2e_wait_for 2 icon_is grey 0

summary
