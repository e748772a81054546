#!/usr/bin/env bash
# Drives QuillmartenView.exe under Wine beside the running service, as a user would, against the
# service's own window, the report command and the registry; keeps screenshots of its window and
# of the icon's three forms in build/e2e-artifacts.
# Usage: tests/e2e/viewer.sh BUILD_DIR   (a windows-x86_64 or windows-i686 build directory)
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "${1:?usage: viewer.sh BUILD_DIR}"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
# The viewer's Run value: runs_at_logon, its quoted path; no_run_value, none.
runs_at_logon() { grep -qF "Quillmarten Viewer    REG_SZ    \"$viewer\"" <<<"$(registry "$run_key")"; }
no_run_value() { ! registry "$run_key" /v "Quillmarten Viewer" >/dev/null; }

# Start, stop and time in use of every row of the list in the window of CLASS.
row_texts() { e2e_helper rows "$1" | awk -F'\t' '$1 == "row" {print $3, $4, $5}'; }
# The running session's stop and time move on every second; its start stands.
settled_rows() { row_texts "$1" | sed '$ s/ .*//'; }
rows_match() { [[ $(settled_rows QuillmartenHourMeter) == "$(settled_rows QuillmartenViewer)" ]]; }
# heard PATH LINE: what a screen reader hears of the window at PATH: the value of LINE (role,
# name, children, focus) of e2e_helper accessible.
heard() { e2e_helper accessible "$1" | awk -F'\t' -v line="$2" '$1 == line { print $2 }'; }
# The list and the status bar have names a screen reader says; a damaged record's row says that
# it is, in its note, not by its colour alone.
damage_is_heard() {
    [[ $(heard QuillmartenViewer/SysListView32 name) == Sessions &&
        $(heard QuillmartenViewer/msctls_statusbar32 name) == "2 sessions; 1 damaged record, not counted" &&
        $(e2e_helper rows QuillmartenViewer | awk -F'\t' '$1 == "row" && $2 == 1 { print $6 }') == "damaged, not counted" ]]
}
# exit_viewer ICON: Exit from the menu of the viewer's tray icon ICON ends it.
exit_viewer() { choose_tray_item "$1" 4 5 && wait_for 10 program_gone QuillmartenView.exe; }

# The export holds the report command's CSV (which exits 1 on the damaged record) to the byte,
# with rows for sessions 1 and 5.
export_is_report() {
    report --by session --format csv "$folder\\Quillmarten.dat" >"$E2E_DIR/report.csv"
    cmp "$E2E_DIR/report.csv" "$WINEPREFIX/drive_c/export.csv" &&
        [[ $(grep -c '^C:.*Quillmarten\.dat,[15],' "$E2E_DIR/report.csv") == 2 ]]
}

install_in "Quill View" viewer report
viewer="$folder\\QuillmartenView.exe"
# A damaged record: a length of 4.
damaged() { printf '\004\000%s' 2026 && head -c 34 /dev/zero; }
# A session, a gap, and a damaged record, which both windows list.
{ session 20261201080000 20261201090000 0000010000 && gap && damaged; } >"$log_file"
start_service
wait_for 20 shown QuillmartenHourMeter

entries=$(event_count)
start_viewer
check "the viewer's window appears beside the service's, a normal one with a taskbar button" \
    wait_for 20 window_is QuillmartenViewer "visible=1 topmost=0 toolwindow=0 *"
check "its rows are the service's: a session, the damaged record, the running session" \
    wait_for 5 eval 'rows_match && [[ $(row_texts QuillmartenViewer | wc -l) == 3 ]]'
check "its columns show their texts whole, a note for damaged records the fourth" columns_fit QuillmartenViewer 4
check "a screen reader hears the list's name, the damaged record's note and the status bar" damage_is_heard
check "its total is the service's within a second" \
    wait_for 10 within_caption_totals 1 caption_total QuillmartenViewer
check "its icon, the second, is green" wait_for 2 tray_is green 1 viewer-green.png
keep_window QuillmartenViewer viewer-window.png

e2e_helper control Quillmarten pause && wait_for 10 service_is PAUSED
check "pause makes it red within 2 s" wait_for 2 tray_is red 1 viewer-red.png
check "and the window's name, which a screen reader hears, says so" \
    window_is QuillmartenViewer "* title=Quillmarten Viewer - paused - *"
check "Export... opens the Save As dialog, which saves the file" eval \
    'choose_tray_item 1 1 5 && wait_for 10 e2e_helper save-as "Export the sessions" "C:\export.csv"'
check "the export is the report command's CSV of both sessions to the byte" wait_for 5 export_is_report
e2e_helper control Quillmarten continue && wait_for 10 service_is RUNNING
check "continue makes it green within 2 s" wait_for 2 tray_is green 1
check "Start with Windows sets the Run value to its quoted path" eval 'choose_tray_item 1 2 5 && runs_at_logon'
check "and clears it again" eval 'choose_tray_item 1 2 5 && wait_for 5 no_run_value'

check "a double-click hides the window" eval 'tray_click 1 --repeat 2 --delay 100 1 && wait_for 10 hidden QuillmartenViewer'
check "a second start ends at once and shows the first one's window, the one viewer left" eval '[[ $(e2e_run 30 \
    "$viewer"; echo $?) == 0 ]] && wait_for 10 shown QuillmartenViewer && [[ $(window_count QuillmartenViewer) == 1 ]]'
stop_service
check "the icon, now the only one, turns grey" wait_for 3 tray_is grey 0 viewer-grey.png
cp "$log_file" "$E2E_DIR/stopped.dat" && sleep 3
check "the log's bytes stay as they were while it reads them" cmp "$E2E_DIR/stopped.dat" "$log_file"
check "the service reported no error while it ran" test "$(events_since "$entries" '^1 [0-9]+ \[')" = 0
check "Exit ends it" exit_viewer 0 || e2e_fail "the viewer of a named log does not end on Exit"

mkdir -p "$WINEPREFIX/drive_c/copies"
big_log "$WINEPREFIX/drive_c/copies/office log.dat" 100000
start_viewer 'C:\copies\office log.dat'
check "a log of 100,000 sessions named on its command line opens at once, with name and total" \
    wait_for 20 window_is QuillmartenViewer "* - office log.dat - 40416:16:00:00 in all"
check "lists every session" grep -qx $'rows\t100000' <<<"$(e2e_helper rows QuillmartenViewer)"
check "and shows a grey icon" wait_for 2 tray_is grey 0
exit_viewer 0

# Sessions on the last three days, then one of today's, against the report's days; each with its
# beginning in the days file, so that its bar is measured and drawn solid.
day() { date -d "today - $1 days" +%Y%m%d; }
beginning() { session "$1" "$1" 0000000000; }
{ session "$(day 3)090000" "$(day 3)113000" 0000023000 && gap &&
    session "$(day 2)090000" "$(day 2)100000" 0000010000 && gap &&
    session "$(day 1)080000" "$(day 1)140000" 0000060000; } >"$WINEPREFIX/drive_c/chart.dat"
{ printf '\022\000Quillmarten days 1' && head -c 20 /dev/zero && beginning "$(day 3)090000" &&
    beginning "$(day 2)090000" && beginning "$(day 1)080000"; } >"$WINEPREFIX/drive_c/chart.days"
# The bars' colour, the system's highlight, which Wine reads from here.
highlight=$(registry 'HKCU\Control Panel\Colors' /v Hilight | awk '$1 == "Hilight" { print $3 "," $4 "," $5 }')
# The days of the report of log FILE within the chart's five weeks, their seconds a line each.
report_days() {
    report --by day --format csv "$1" | awk -F, -v first="$(date -d 'today - 34 days' +%F)" 'NR > 1 && $2 >= first { print $3 }'
}
# bars_show EXPECTED [SCREENSHOT]: on SCREENSHOT, or a fresh shot, the chart's bars, left to
# right, stand for the seconds of EXPECTED (a line each), in their ratio to the tallest to a pixel.
bars_show() {
    { [[ -n ${2:-} ]] && cp "$2" "$E2E_DIR/now.png" || shot; } && crop "$chart" -depth 8 txt:- | awk -F'[,:() ]+' -v colour="$highlight" -v expected="$1" '
        NR > 1 && $3 "," $4 "," $5 == colour { height[$1]++; if ($1 > right) right = $1 }
        END { for (x = 0; x <= right + 1; x++) {
                  if (height[x] > bar) bar = height[x]
                  if (!height[x] && bar) { bars[++n] = bar; bar = 0 } }
              if (n < 3 || split(expected, seconds, "\n") != n) exit 1
              for (i = 1; i <= n; i++) if (seconds[i] > most) { most = seconds[i]; tallest = i }
              for (i = 1; i <= n; i++) { off = bars[i] - bars[tallest] * seconds[i] / most
                  if (off > 1 || off < -1) exit 1 } }'
}
open_viewer 'C:\chart.dat'
chart=$(window_rect QuillmartenViewer/QuillmartenChart)
check "the chart's bars are the report's days, in their ratio to a pixel" \
    bars_show "$(report_days 'C:\chart.dat')"
keep_window QuillmartenViewer viewer-chart.png
{ cat "$WINEPREFIX/drive_c/chart.dat" && gap && session "$(day 0)080000" "$(day 0)120000" 0000040000; } \
    >"$WINEPREFIX/drive_c/next.dat"
{ cat "$WINEPREFIX/drive_c/chart.days" && beginning "$(day 0)080000"; } >"$WINEPREFIX/drive_c/next.days"
expected=$(report_days 'C:\next.dat')
cp "$WINEPREFIX/drive_c/next.days" "$WINEPREFIX/drive_c/chart.days"
cp "$WINEPREFIX/drive_c/next.dat" "$WINEPREFIX/drive_c/chart.dat"
# The screen is shot for two seconds, then looked at: the time is the viewer's, not that of
# reading a screenshot's pixels, slow on a loaded machine.
shots=() started=${EPOCHREALTIME/./}
while ((${EPOCHREALTIME/./} - started < 2000000)); do
    shots+=("$E2E_DIR/after-${#shots[@]}.png") && e2e_screenshot "${shots[-1]}"
done
any_shot_shows() { local shot && for shot in "${shots[@]}"; do bars_show "$1" "$shot" && return; done; return 1; }
check "and follow a new session within two seconds" any_shot_shows "$expected"
exit_viewer 0
# Without its days file the same log is estimated: the bars are hatched, and say so.
rm "$WINEPREFIX/drive_c/next.days"
open_viewer 'C:\next.dat'
keep_window QuillmartenViewer viewer-chart-estimated.png

# The chart as a screen reader asks it: the last 35 days by name, and the days with time of the
# report of log $1, each named by its date and weekday with its time and hours as value, and what
# of it is estimated.
chart_heard_as_report() {
    local heard && heard=$(e2e_helper accessible QuillmartenViewer/QuillmartenChart) || return
    [[ $(grep -E '^(role|name|children)' <<<"$heard") == $'role\tchart\nname\tTime in use by day\nchildren\t35' &&
        $(awk -F'\t' '$1 == "child" && $4 !~ /^0000:00:00:00,/ { print $3 "\t" $4 }' <<<"$heard") == \
        "$(report --by day --format csv "$1" | tr -d '\r' | awk -F, '
            function hours(seconds) { return sprintf("%.1f h", int((seconds * 10 + 1800) / 3600) / 10) }
            NR > 1 { weekday = "date -d " $2 " +%A"; weekday | getline name; close(weekday)
                     estimated = $6 == 0 ? "" : $6 == $3 ? ", estimated" : ", " hours($6) " of it estimated"
                     printf "%s %s\t%s, %s%s\n", $2, name, $4, hours($3), estimated }')" ]]
}
check "a screen reader hears the chart's bars as the report's days" wait_for 5 chart_heard_as_report 'C:\next.dat'

# pressing KEYS COMMAND...: the keys (split at blanks), a fifth of a second apart, then COMMAND.
# shellcheck disable=SC2086
pressing() { timeout 20 xdotool key --delay 200 $1 && "${@:2}"; }
# focus_is NAME/BAR: the chart's name, and the bar that has the keyboard, within 5 s.
chart_focus() { e2e_helper accessible QuillmartenViewer/QuillmartenChart | awk -F'\t' '$1 == "name" || $1 == "focus" { printf "%s/", $2 }'; }
focus_is() { wait_for 5 prints "$1" chart_focus; }
check "Tab, Right, Tab and Left choose weeks, reach the chart and move along its bars" \
    pressing "Tab Right Tab Left" focus_is "Time in use by week/25/"
keep_window QuillmartenViewer viewer-keyboard.png
check "Home goes to the first bar" pressing Home focus_is "Time in use by week/1/"
check "Shift+Tab and Left go back to days, the keyboard on their button" \
    pressing "shift+Tab Left" focus_is "Time in use by day/none/"
check "Alt+M charts the months" pressing alt+m focus_is "Time in use by month/none/"
check "Ctrl+E exports" pressing ctrl+e eval 'wait_for 10 e2e_helper save-as "Export the sessions" "C:\keys.csv" &&
    wait_for 5 test -s "$WINEPREFIX/drive_c/keys.csv"'
check "Shift+F10 opens the icon's menu in the window" pressing shift+F10 wait_for 5 shown '#32768'
check "Esc closes it, and then hides the window" pressing "Escape Escape" wait_for 5 hidden QuillmartenViewer

# Under a high-contrast scheme, as Windows gives it with visual styles off, what the viewer draws
# in the chart and the list takes the scheme's colours alone, text edges blended between two of
# them: bars, weekends, the damaged record's row, text.
exit_viewer 0
colours='HKCU\Control Panel\Colors'
for colour in "Window 0 0 0" "WindowText 255 255 255" "ButtonFace 0 0 0" "ButtonText 255 255 255" \
    "GrayText 63 242 63" "Hilight 26 235 255" "HilightText 0 0 0"; do
    "$E2E_WINE" reg add "$colours" /v "${colour%% *}" /d "${colour#* }" /f
done >/dev/null 2>&1
"$E2E_WINE" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /d 0 /f >/dev/null 2>&1
{ cat "$WINEPREFIX/drive_c/chart.dat" && gap && damaged && gap && session "$(day 0)130000" "$(day 0)130500" 0000000500; } \
    >"$WINEPREFIX/drive_c/contrast.dat"
# system_colours_only: on a fresh shot (kept), every colour of the chart and of the list is one of
# the scheme's colours or lies between two of them, to a step of 3 in each channel.
system_colours_only() {
    local scheme part
    scheme=$(registry "$colours" | awk '$2 == "REG_SZ" { printf "%s %s %s;", $3, $4, $5 }') &&
        shot viewer-contrast.png || return
    for part in QuillmartenChart SysListView32; do
        crop "$(window_rect "QuillmartenViewer/$part")" -depth 8 -unique-colors txt:- || return
    done | awk -F'[,:() ]+' -v scheme="$scheme" '
        function between(i, j,    k, w, t) {
            for (k = w = 1; k <= 3; k++) if ((s[j, k] - s[i, k]) ^ 2 > (s[j, w] - s[i, w]) ^ 2) w = k
            t = s[j, w] == s[i, w] ? 0 : (c[w] - s[i, w]) / (s[j, w] - s[i, w])
            for (k = 1; k <= 3; k++) if (t < 0 || t > 1 || (c[k] - s[i, k] - t * (s[j, k] - s[i, k])) ^ 2 > 9) return 0
            return 1
        }
        BEGIN { n = split(scheme, lines, ";") - 1
                for (i = 1; i <= n; i++) { split(lines[i], v, " "); for (k = 1; k <= 3; k++) s[i, k] = v[k] } }
        !/^#/ { c[1] = $3; c[2] = $4; c[3] = $5; found = 0
                for (i = 1; i <= n && !found; i++) for (j = i; j <= n && !found; j++) found = between(i, j)
                if (!found) { print "not the scheme colours: " $3 "," $4 "," $5 > "/dev/stderr"; bad = 1 } }
        END { exit bad }'
}
# The keyboard goes to the chart: the list's focus rectangle is the list's own, drawn inverted.
open_viewer 'C:\contrast.dat' && pressing "Tab Tab" sleep 1
check "with a high-contrast scheme the chart and the list show its colours alone" system_colours_only

summary
