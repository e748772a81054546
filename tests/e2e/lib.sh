# shellcheck shell=bash
# Harness of the end-to-end tests: the Windows programs under Wine in a 64-bit (WoW64) prefix, on a
# headless X server. Source it, call e2e_setup BUILD_DIR, check; the EXIT trap cleans up. E2E_SCREEN
# sets the screen (1024x768), E2E_DPI its density (96), E2E_KEEP=1 keeps the work directory; a
# suite adds the Linux processes it starts to E2E_PIDS, which the trap ends too. Wine:
# - The virtual desktop "Default" holds every window, a service's too, in one X window at 0,0.
# - The first Wine process starts the service manager, whose services inherit its stderr and
#   WINEDEBUG; Wine keeps no event log, ReportEvent only writes debug output (+eventlog).
# - Wine ends the service manager, and a running service, with the last user process.
# - Tray icon INDEX, counted in the order the icons came, is centred at x = WIDTH - 10 - 20 * INDEX,
#   y = HEIGHT - 10 (the taskbar is the bottom 20 px). A menu is a window of class #32768.

E2E_WINE=/usr/lib/wine/wine64
E2E_WINESERVER=/usr/lib/wine/wineserver
E2E_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_SCREEN=${E2E_SCREEN:-1024x768}
E2E_DPI=${E2E_DPI:-96}
# Mono and Gecko would offer a download, the menu builder would write into $HOME.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
passed=0 failed=0

e2e_log() { echo "[e2e ${SECONDS}s] $*" >&2; }
e2e_fail() { e2e_log "FAIL: $*" && exit 1; }
section() { e2e_log "== $*"; }

# check DESCRIPTION COMMAND [ARGS...]: counts and reports; the run goes on after a failure.
check() {
    "${@:2}" >/dev/null 2>&1 && e2e_log "ok   $1" && ((++passed)) && return
    e2e_log "FAIL $1" && ((++failed))
}
summary() { echo "e2e: $passed passed, $failed failed" && summarised=1 && ((failed == 0)); }

# prints TEXT COMMAND [ARGS...]: COMMAND writes TEXT, to the letter.
prints() { [[ $("${@:2}") == "$1" ]]; }
# wait_for SECONDS COMMAND [ARGS...]: COMMAND succeeds in a try begun within SECONDS (to the
# microsecond) of the call, tried every 0.2 s.
wait_for() {
    local deadline=$((${EPOCHREALTIME/./} + $1 * 1000000))
    until "${@:2}"; do ((${EPOCHREALTIME/./} < deadline)) && sleep 0.2 || return 1; done
}

e2e_start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN}x24" -nolisten tcp 3>"$E2E_DIR/display" \
        >"$E2E_DIR/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    wait_for 20 grep -q '^[0-9]' "$E2E_DIR/display" || e2e_fail "Xvfb did not start"
    DISPLAY=":$(cat "$E2E_DIR/display")" && export DISPLAY
}

e2e_make_prefix() {
    export WINEPREFIX=$E2E_DIR/prefix WINEARCH=win64 WINEDEBUG=-all
    local explorer='HKCU\Software\Wine\Explorer'
    { timeout 120 "$E2E_WINE" wineboot -i && "$E2E_WINE" reg add "$explorer" /v Desktop /d Default /f &&
        "$E2E_WINE" reg add "$explorer\\Desktops" /v Default /d "$E2E_SCREEN" /f &&
        "$E2E_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$E2E_DPI" /f; } \
        >>"$E2E_DIR/setup.log" 2>&1 || e2e_fail "no prefix, see $E2E_DIR/setup.log"
    # wineboot leaves a service manager running that would clash with the desktop's.
    timeout 20 "$E2E_WINESERVER" -k
    timeout 20 "$E2E_WINESERVER" -w || e2e_fail "Wine did not shut down after the setup"
}

# The desktop, then at once a holder that keeps a user process alive; whichever starts the
# service manager passes +eventlog on to it and its services, appending to $E2E_WINE_LOG.
e2e_start_desktop() {
    E2E_WINE_LOG=$E2E_DIR/wine-debug.log
    WINEDEBUG=+eventlog "$E2E_WINE" explorer "/desktop=Default,$E2E_SCREEN" \
        >>"$E2E_DIR/desktop.out" 2>>"$E2E_WINE_LOG" &
    E2E_DESKTOP_PID=$!
    WINEDEBUG=+eventlog "$E2E_WINE" "$E2E_HELPER" hold >>"$E2E_DIR/hold.out" 2>>"$E2E_WINE_LOG" &
    E2E_HOLD_PID=$!
    wait_for 60 grep -q holding "$E2E_DIR/hold.out" || e2e_fail "the desktop holder did not start"
    wait_for 60 windows_exist Shell_TrayWnd || e2e_fail "no Wine desktop"
}

# 32 where BUILD's Quillmarten.exe is an i386 program (PE machine 0x014c), else 64.
e2e_program_bits() {
    local service=$1/programs/quillmarten/Quillmarten.exe header
    header=$(od -An -tu4 -j60 -N4 "$service" 2>/dev/null) && [[ -n $header ]] || return
    [[ $(od -An -tx2 -j$((header + 4)) -N2 "$service") == " 014c" ]] && echo 32 || echo 64
}

# e2e_setup BUILD_DIR: build, E2E_HELPER (the build's: a helper sees only programs of its bitness),
# artifacts, E2E_BITS, E2E_PROGRAM_FILES (where 64-bit Windows installs it), X, a prefix, a desktop.
e2e_setup() {
    build=$(cd "$1" && pwd) || exit 2
    E2E_HELPER=$build/tests/e2e/helper/e2ehelper.exe artifacts=$E2E_REPO/build/e2e-artifacts/$(basename "$build")
    [[ -f $E2E_HELPER ]] || e2e_fail "missing $E2E_HELPER"
    mkdir -p "$artifacts"
    E2E_BITS=$(e2e_program_bits "$build") || e2e_fail "missing $build/programs/quillmarten/Quillmarten.exe"
    E2E_PROGRAM_FILES="Program Files" && ((E2E_BITS == 64)) || E2E_PROGRAM_FILES="Program Files (x86)"
    E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/e2e.XXXXXX")
    exec {E2E_STDERR}>&2
    trap e2e_cleanup EXIT && trap 'exit 130' INT && trap 'exit 143' TERM
    e2e_start_xvfb && e2e_make_prefix && e2e_start_desktop
    e2e_log "desktop ready on $DISPLAY, work directory $E2E_DIR"
}

# The EXIT trap. A script cut short after some checks fails, though a syntax error leaves status 0.
e2e_cleanup() {
    local status=$? pid
    set +e
    [[ $status != 0 || -n ${summarised:-} ]] || ((passed + failed == 0)) || status=1
    trap - EXIT && trap '' INT TERM
    [[ -z ${WINEPREFIX:-} ]] || { timeout 20 "$E2E_WINESERVER" -k && timeout 20 "$E2E_WINESERVER" -w; }
    for pid in ${E2E_PIDS:-} ${E2E_HOLD_PID:-} ${E2E_DESKTOP_PID:-} ${E2E_XVFB_PID:-}; do kill "$pid"; done 2>/dev/null
    wait 2>/dev/null
    [[ -z ${E2E_MOUNT:-} ]] || ${sudo:-} umount "$E2E_MOUNT"
    if [[ ${E2E_KEEP:-0} == 1 ]]; then e2e_log "kept $E2E_DIR"; else rm -rf "$E2E_DIR"; fi
    exit "$status"
}

e2e_helper() { WINEDEBUG=-all timeout -k 5 120 "$E2E_WINE" "$E2E_HELPER" "$@"; }
# windows_exist CLASS, shown CLASS, hidden CLASS (none visible), window_count CLASS; window_is CLASS
# PATTERN: e2e_helper find's lines for CLASS match the glob PATTERN.
# shellcheck disable=SC2053
window_is() { [[ $(e2e_helper find "$1") == $2 ]]; }
windows_exist() { window_is "$1" 'visible=*'; }
shown() { window_is "$1" '*visible=1*'; }
hidden() { local found && found=$(e2e_helper find "$1") && [[ $found != *visible=1* ]]; }
window_count() { e2e_helper find "$1" | grep -c '^visible='; }
# window_rect CLASS: LEFT,TOP,RIGHT,BOTTOM of the first visible window of CLASS (or PARENT/CHILD).
window_rect() { e2e_helper find "$1" | sed -n 's/^visible=1 .* rect=\([-0-9,]*\) .*/\1/p' | head -n 1; }

# e2e_run SECONDS PROGRAM ARGS...: killed after SECONDS (124), its events going to $E2E_WINE_LOG.
e2e_run() { WINEDEBUG=+eventlog timeout -k 5 "$1" "$E2E_WINE" "${@:2}" 2>>"$E2E_WINE_LOG"; }
# start_viewer [ARGUMENTS...]: the viewer installed beside the service, in the background.
start_viewer() { WINEDEBUG=-all "$E2E_WINE" "$folder\\QuillmartenView.exe" "$@" >>"$E2E_DIR/viewer.out" 2>&1 & }
# open_viewer [ARGUMENTS...]: started, its window shown and drawn.
open_viewer() { start_viewer "$@" && wait_for 20 shown QuillmartenViewer && sleep 1; }
# report ARGUMENTS...: the report command installed beside the service.
report() { e2e_run 60 "$folder\\quillmarten-report.exe" "$@"; }

# The state `sc query` names (RUNNING, PAUSED, STOPPED...); empty when the service is not installed.
service_state() { "$E2E_WINE" sc query Quillmarten 2>/dev/null | awk -F'[ \r]+' '$2 == "STATE" { print $5 }'; }
service_is() { [[ $(service_state) == "$1" ]]; }
start_service() {
    "$E2E_WINE" sc start Quillmarten >/dev/null 2>&1
    check "service starts" wait_for 20 service_is RUNNING
}
# A stop that fails says why on the script's own stderr, which a check discards.
stop_service() {
    local answer && answer=$("$E2E_WINE" sc stop Quillmarten 2>&1 | tr -s '\r\n ' ' ')
    wait_for 20 service_is STOPPED && wait_for 10 program_gone && return
    e2e_log "the stop failed: sc said \"$answer\"; the service is $(service_state)," \
        "its program $(program_pid || echo gone)" 2>&"$E2E_STDERR"
    return 1
}
# own_instance_name: another program holds the service's single-instance name, as any program may,
# until disown_instance_name.
own_instance_name() {
    WINEDEBUG=-all "$E2E_WINE" "$E2E_HELPER" own 'Global\Quillmarten.SingleInstance' \
        >"$E2E_DIR/own.out" 2>&1 &
    E2E_OWNER=$! && wait_for 20 grep -q owned "$E2E_DIR/own.out"
}
disown_instance_name() { kill "$E2E_OWNER" && wait "$E2E_OWNER" 2>/dev/null; }
registry() { "$E2E_WINE" reg query "$@" 2>/dev/null | tr -d '\r'; }
service_key='HKLM\System\CurrentControlSet\Services\Quillmarten'
source_key='HKLM\System\CurrentControlSet\Services\EventLog\Application\Quillmarten'
# registered_as IMAGE_PATH: the service and its event source as "/i" and the package register them;
# a missing value is named on the script's stderr.
registered_as() {
    local config value && config=$(registry "$service_key" /s && registry "$source_key")
    for value in "ImagePath    REG_SZ    $1" "Start    REG_DWORD    0x2" "Type    REG_DWORD    0x110" \
        "ErrorControl    REG_DWORD    0x1" "ObjectName    REG_SZ    LocalSystem" "TimerInterval    REG_SZ    1000" \
        "Description    REG_SZ    Meters how long this computer is in use, session by session." \
        "EventMessageFile    REG_EXPAND_SZ    ${1//\"/}"; do
        grep -qxF "    $value" <<<"$config" || { e2e_log "no $value" 2>&"$E2E_STDERR" && return 1; }
    done
}

# The ReportEvent entries so far, one a line: "TYPE ID MESSAGE" (see events.awk).
e2e_events() { awk -f "$E2E_REPO/tests/e2e/events.awk" "$E2E_WINE_LOG"; }
event_count() { e2e_events | wc -l; }
# events_since N REGEX: how many entries after the first N match REGEX; fails when none does.
events_since() { e2e_events | tail -n "+$(($1 + 1))" | grep -Ec "$2"; }

e2e_screenshot() { timeout 20 import -display "$DISPLAY" -window root "$1"; }
# shot [NAME]: a screenshot in $E2E_DIR/now.png, kept as NAME among the artifacts too.
shot() { e2e_screenshot "$E2E_DIR/now.png" && { [[ -z ${1:-} ]] || cp "$E2E_DIR/now.png" "$artifacts/$1"; }; }
# crop LEFT,TOP,RIGHT,BOTTOM OPTIONS...: that rectangle of the last shot, through convert's OPTIONS.
crop() {
    local left top right bottom && IFS=, read -r left top right bottom <<<"$1"
    convert "$E2E_DIR/now.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "${@:2}"
}
# keep_window CLASS NAME: the window of CLASS cut out of a fresh shot, as NAME among the artifacts.
keep_window() { shot && crop "$(window_rect "$1")" "$artifacts/$2"; }

tray_click() { # INDEX XDOTOOL_CLICK_ARGUMENTS...
    timeout 10 xdotool mousemove $((${E2E_SCREEN%x*} - 10 - 20 * $1)) $((${E2E_SCREEN#*x} - 10)) \
        click "${@:2}"
}
# tray_is COLOUR [INDEX [NAME]]: tray icon INDEX (0) on a fresh shot (kept as NAME) is green, red,
# grey or none by its lit segments; a grey one is told from the light taskbar by its black ground.
tray_is() {
    local x=$((${E2E_SCREEN%x*} - 20 - 20 * ${2:-0})) y=$((${E2E_SCREEN#*x} - 20))
    shot "${3:-}" && [[ $(crop "$x,$y,$((x + 20)),$((y + 20))" -depth 8 txt:- | awk -F'[(,)]' 'NR > 1 {
            green += $4 > 150 && $3 < 100 && $5 < 100; red += $3 > 150 && $4 < 100 && $5 < 100
            grey += $3 > 150 && $3 < 230 && $3 == $4 && $4 == $5; black += $3 + $4 + $5 == 0 }
        END { print (green > 10 && green > red ? "green" : red > 10 ? "red" : \
            grey > 10 && black > 50 ? "grey" : "none") }') == "$1" ]]
}
# choose_tray_item ICON ITEM COUNT: the right button on tray icon ICON, then item ITEM (from 0) of
# its menu of COUNT even items, after a rest: Wine's tray drops a click just after a menu closed.
choose_tray_item() {
    local left top right bottom
    sleep 1 && tray_click "$1" 3 && wait_for 10 shown '#32768' || return 1
    IFS=, read -r left top right bottom < <(window_rect '#32768')
    xdotool mousemove $(((left + right) / 2)) $((top + (bottom - top) * (2 * $2 + 1) / (2 * $3))) \
        click 1 && wait_for 10 hidden '#32768'
}

# labels_show_whole CLASS COUNT: the window of CLASS, on a fresh shot, has COUNT labels with text,
# each within it and with its right edge, where a text too long is cut, all of one colour.
labels_show_whole() {
    local bounds labels left top right bottom
    shot && IFS=, read -r -a bounds < <(window_rect "$1") &&
        labels=$(e2e_helper find "$1/Static" | sed -n 's/.* rect=\([-0-9,]*\) client=[0-9x]* title=..*/\1/p')
    [[ $(wc -l <<<"$labels") == "$2" ]] || return 1
    while IFS=, read -r left top right bottom; do
        ((left >= bounds[0] && right <= bounds[2])) &&
            [[ $(crop "$((right - 1)),$top,$right,$bottom" -format %k info:) == 1 ]] || return 1
    done <<<"$labels"
}
# columns_fit CLASS [COUNT]: the list in the window of CLASS has the first COUNT (3) of the columns
# Start time, Stop time, Time in use and Note, at least 120, 120, 87 and 60 px wide at 96 dpi and
# as wide as their texts with the margin.
columns_fit() {
    e2e_helper rows "$1" | awk -F'\t' -v dpi="$E2E_DPI" -v count="${2:-3}" '
        BEGIN { split("Start time,Stop time,Time in use,Note", header, ","); split("120,120,87,60", least, ",") }
        $1 == "column" { width[$2] = $3; columns++; bad += $4 != header[$2 + 1] || $3 < int(least[$2 + 1] * dpi / 96) }
        $1 == "widest" { bad += width[$2] < $3 + 12 }
        END { exit bad || columns != count }'
}

# install_in NAME [PROGRAM...]: installs it in C:\$E2E_PROGRAM_FILES\NAME, the other programs
# (viewer, report) beside it; sets folder, exe, program_dir, log_file.
install_in() {
    folder="C:\\$E2E_PROGRAM_FILES\\$1" && exe="$folder\\Quillmarten.exe"
    program_dir="$WINEPREFIX/drive_c/$E2E_PROGRAM_FILES/$1" && log_file="$program_dir/Quillmarten.dat"
    mkdir -p "$program_dir" && cp "$build/programs/quillmarten/Quillmarten.exe" "$program_dir/"
    for program in "${@:2}"; do cp "$build/programs/$program"/*.exe "$program_dir/"; done
    check_message "/i" "Quillmarten: installed successfully"
}
# check_message ARGUMENTS TEXT: the program started with ARGUMENTS shows one box captioned
# Quillmarten with TEXT, and ends with exit code 0 once it is closed.
check_message() {
    local shown
    e2e_helper launch 60 "\"$exe\"${1:+ $1}" >"$E2E_DIR/launch.out" 2>&1 &
    shown=$(wait_for 30 e2e_helper msgbox Quillmarten 2>/dev/null)
    wait $!
    check "\"$1\" shows \"$2\" and ends" test "$shown $(grep -x 'exit 0' "$E2E_DIR/launch.out")" = "$2 exit 0"
}

# The Linux process id of this prefix's PROGRAM (default Quillmarten.exe); status 1 when none runs.
program_pid() {
    local pid
    for pid in $(pgrep -f "${1:-Quillmarten.exe}"); do
        grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && echo "$pid" && return
    done
    return 1
}
program_gone() { ! program_pid "$@" >/dev/null; }

# Record N of FILE: its 40 bytes, the 38 after its length, its start; valid: a length of 38, digits.
record_raw() { dd if="$1" bs=40 skip=$(($2 - 1)) count=1 2>/dev/null; }
record_bytes() { record_raw "$@" | tail -c 38; }
record_start() { record_bytes "$@" | cut -c1-14; }
record_is_valid() { [[ $(record_raw "$@" | xxd -p -c 40) =~ ^2600(3[0-9]){38}$ ]]; }
# log_grows: the log's last record, valid, moves on within 2.5 s.
log_grows() {
    local records last && records=$(($(stat -c %s "$log_file") / 40)) && last=$(record_bytes "$log_file" "$records")
    sleep 2.5 && record_is_valid "$log_file" "$records" && [[ $(record_bytes "$log_file" "$records") != "$last" ]]
}
# The log holds FILE unchanged, then zeros, then a whole record at NUMBER, its last.
holds_before_then_record() {
    local size && size=$(stat -c %s "$1")
    cmp -s -n "$size" "$1" "$log_file" && [[ $(stat -c %s "$log_file") == $(($2 * 40)) ]] &&
        [[ -z $(tail -c +$((size + 1)) "$log_file" | head -c $((($2 - 1) * 40 - size)) | tr -d '\0') ]] &&
        record_is_valid "$log_file" "$2"
}

# A stamp yyyymmddhhnnss, local time, in Unix time.
stamp_seconds() { date -d "${1:0:4}-${1:4:2}-${1:6:2} ${1:8:2}:${1:10:2}:${1:12:2}" +%s; }
# DAYS:HH:MM:SS in seconds, nothing for anything else; caption_total CLASS: its caption's total.
duration_seconds() { awk -F: 'NF == 4 {print (($1 * 24 + $2) * 60 + $3) * 60 + $4}' <<<"$1"; }
caption_total() {
    duration_seconds "$(e2e_helper find "$1" | sed -nE 's/.* - (At work since )?([0-9:]+)( in all)?$/\2/p')"
}
# rows_selected CLASS: "rows COUNT,selected INDEX," of the list in the window of CLASS.
rows_selected() { e2e_helper rows "$1" | grep -E '^(rows|selected)' | tr '\t\n' ' ,'; }
# within_caption_totals SLACK COMMAND...: what COMMAND prints lies, give or take SLACK, between two
# reads of the service's total at most 10 s apart (a read takes seconds under emulation and load).
within_caption_totals() {
    local before value after
    before=$(caption_total QuillmartenHourMeter) value=$("${@:2}") after=$(caption_total QuillmartenHourMeter)
    [[ -n $before && -n $value && -n $after ]] &&
        ((before - $1 <= value && value <= after + $1 && after - before <= 10))
}

# session START STOP TIME: a session's 40-byte record (stamps yyyymmddhhnnss, TIME ddddhhnnss);
# gap: the 40 zero bytes before every session but the first.
session() { printf '&\000%s%s%s' "$@"; }
gap() { head -c 40 /dev/zero; }
# big_log FILE SESSIONS: SESSIONS sessions of 9 hours 42 minutes, each behind a gap.
big_log() {
    { session 20261205080307 20261205174509 0000094200 && gap; } >"$1"
    while (($(stat -c %s "$1") < $2 * 80)); do cat "$1" "$1" >"$1.2" && mv "$1.2" "$1"; done
    truncate -s $(($2 * 80 - 40)) "$1"
}
