# shellcheck shell=bash
# Checks of the end-to-end scenario (run.sh): each check reports and counts, and the run goes on,
# so that one failure shows with everything else that still works. Needs lib.sh, and from run.sh
# $exe, $folder_unix and $log_file.

passed=0
failed=0

section() { e2e_log "== $*"; }

# check DESCRIPTION COMMAND [ARGS...]
check() {
    local description=$1
    shift
    if "$@" >/dev/null 2>&1; then
        passed=$((passed + 1))
        e2e_log "ok   $description"
    else
        failed=$((failed + 1))
        e2e_log "FAIL $description"
    fi
}

summary() {
    echo "e2e: $passed passed, $failed failed"
    ((failed == 0))
}

command_line() {
    if [[ -n $1 ]]; then
        printf '"%s" %s' "$exe" "$1"
    else
        printf '"%s"' "$exe"
    fi
}

# check_message ARGUMENT TEXT: the program started with ARGUMENT shows one box with TEXT,
# captioned "Quillmarten", and ends with exit code 0 once it is closed.
check_message() {
    local out=$E2E_DIR/launch.out shown
    e2e_helper launch 60 "$(command_line "$1")" >"$out" 2>&1 &
    local launcher=$!
    shown=$(e2e_helper msgbox wait Quillmarten 30)
    wait "$launcher"
    check "\"$1\" shows \"$2\"" test "$shown" = "$2"
    check "\"$1\" then ends" grep -qx "exit 0" "$out"
}

# check_silent_end ARGUMENT: a second instance ends at once, without a box.
check_silent_end() {
    local out
    out=$(e2e_helper launch 30 "$(command_line "$1")")
    check "second instance with \"$1\" ends at once" test "$out" = "exit 0"
    check "second instance with \"$1\" shows nothing" \
        test "$(e2e_helper window count --class '#32770')" -eq 0
}

start_service() {
    "$E2E_WINE" sc start Quillmarten >/dev/null 2>&1
    check "service starts" e2e_helper service Quillmarten wait RUNNING 20
}

registry_has() {
    "$E2E_WINE" reg query "$1" 2>/dev/null | tr -d '\r' | grep -Eq "$2"
}

registry_lacks() {
    ! "$E2E_WINE" reg query "$1" >/dev/null 2>&1
}

# The bytes of record N of FILE as text (the length field left out) and as hexadecimal.
record_bytes() { dd if="$1" bs=40 skip=$(($2 - 1)) count=1 2>/dev/null | tail -c 38; }
record_hex() { dd if="$1" bs=40 skip=$(($2 - 1)) count=1 2>/dev/null | xxd -p | tr -d '\n'; }

record_is_valid() {
    [[ $(record_hex "$1" "$2" | cut -c1-4) == 2600 ]] &&
        [[ $(record_bytes "$1" "$2") =~ ^[0-9]{38}$ ]]
}

# dd/mm/yyyy-hh:nn:ss of a 14-digit stamp.
display_stamp() {
    local s=$1
    echo "${s:6:2}/${s:4:2}/${s:0:4}-${s:8:2}:${s:10:2}:${s:12:2}"
}

# row_matches_record ROWS INDEX FILE N: the row's start is the record's start stamp.
row_matches_record() {
    local start
    start=$(awk -F'\t' -v index_="$2" '$1 == "row" && $2 == index_ {print $4}' <<<"$1")
    [[ $start == "$(display_stamp "$(record_bytes "$3" "$4" | cut -c1-14)")" ]]
}

duration_seconds() {
    local IFS=:
    read -r days hours minutes seconds <<<"$1"
    echo $(((10#$days * 24 + 10#$hours) * 3600 + 10#$minutes * 60 + 10#$seconds))
}

# The grand total in the caption is the sum of every row's time in use, read within one tick.
caption_total_matches() {
    local attempt caption rows sum
    for attempt in 1 2 3 4 5; do
        caption=$(e2e_helper window find "$@" | sed -n 's/.* - At work since //p')
        rows=$(e2e_helper window rows "$@")
        sum=0
        while read -r time; do
            sum=$((sum + $(duration_seconds "$time")))
        done < <(awk -F'\t' '$1 == "row" {print $6}' <<<"$rows")
        [[ -n $caption && $(duration_seconds "$caption") -eq $sum ]] && return 0
    done
    return 1
}

window_is_centred() {
    local rect left right
    rect=$(sed -n 's/.* rect=\([-0-9,]*\) .*/\1/p' <<<"$1")
    IFS=, read -r left _ right _ <<<"$rect"
    local margin=$(((left + right) - $(e2e_screen_width)))
    ((margin >= -2 && margin <= 2))
}

# green, red, grey or none: the colour of the lit segments in the cell of tray icon INDEX
# (default 0). A grey icon is told from the light taskbar by its black ground.
tray_colour() {
    local x y
    read -r x y <<<"$(e2e_tray_point "${2:-0}")"
    convert "$1" -crop "20x20+$((x - 10))+$((y - 10))" +repage -depth 8 txt:- |
        awk -F'[(,)]' 'NR > 1 {
            if ($4 > 150 && $3 < 100 && $5 < 100) green++
            if ($3 > 150 && $4 < 100 && $5 < 100) red++
            if ($3 > 150 && $3 < 230 && $3 == $4 && $4 == $5) grey++
            if ($3 + $4 + $5 == 0) black++
        }
        END {
            if (green > 10 && green > red) print "green"
            else if (red > 10) print "red"
            else if (grey > 10 && black > 50) print "grey"
            else print "none"
        }'
}

# The Linux process id of this prefix's PROGRAM (default Quillmarten.exe); 1 when none runs.
program_pid() {
    local environ
    for environ in /proc/[0-9]*/environ; do
        if tr '\0' '\n' 2>/dev/null <"$environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
            tr '\0' ' ' 2>/dev/null <"${environ%/environ}/cmdline" |
            grep -qF "${1:-Quillmarten.exe}"; then
            basename "${environ%/environ}"
            return 0
        fi
    done
    return 1
}

program_gone() {
    ! program_pid >/dev/null
}

# Installs the program from FOLDER_UNIX (a folder of the prefix's drive C:) as the service.
install_program() {
    mkdir -p "$WINEPREFIX/drive_c/$folder_unix"
    cp "$build/windows/Quillmarten.exe" "$WINEPREFIX/drive_c/$folder_unix/"
    check_message "/i" "Quillmarten: installed successfully"
}

stop_service() {
    "$E2E_WINE" sc stop Quillmarten >/dev/null 2>&1
    e2e_helper service Quillmarten wait STOPPED 20 >/dev/null
    e2e_wait_for 10 program_gone
}

# The local time as the records store it.
stamp_now() { date +%Y%m%d%H%M%S; }

# Seconds between two 14-digit stamps.
stamp_seconds() {
    date -d "${1:0:4}-${1:4:2}-${1:6:2} ${1:8:2}:${1:10:2}:${1:12:2}" +%s
}

# The time in use of record N of FILE, in seconds.
record_seconds() {
    local used
    used=$(record_bytes "$1" "$2" | cut -c29-38)
    echo $(((10#${used:0:4} * 24 + 10#${used:4:2}) * 3600 + 10#${used:6:2} * 60 + 10#${used:8:2}))
}

# big_log FILE SESSIONS: a log of SESSIONS sessions of 9 hours 42 minutes, each behind a gap.
big_log() {
    {
        printf '&\000%s' 20261205080307202612051745090000094200
        head -c 40 /dev/zero
    } >"$1"
    while (($(stat -c %s "$1") < $2 * 80)); do
        cat "$1" "$1" >"$1.twice" && mv "$1.twice" "$1"
    done
    truncate -s $(($2 * 80 - 40)) "$1"
}

# choose_tray_item ICON ITEM COUNT: the right button on tray icon ICON, then item ITEM (from 0)
# of its menu of COUNT items, which share its height evenly. Wine's tray drops a click that comes
# at once after a menu closed, so the pointer rests a moment first, as a person's would.
choose_tray_item() {
    sleep 1
    e2e_tray_right_click "$1"
    e2e_wait_for 10 e2e_window_exists --class '#32768' --visible || return 1
    local rect left top right bottom
    rect=$(e2e_helper window find --class '#32768' --visible |
        sed -n '1s/.* rect=\([-0-9,]*\) .*/\1/p')
    IFS=, read -r left top right bottom <<<"$rect"
    xdotool mousemove $(((left + right) / 2)) $((top + (bottom - top) * (2 * $2 + 1) / (2 * $3))) \
        click 1
    e2e_helper window wait-visible --class '#32768' 0 10
}

# The service's tray menu has one item, Info.
choose_info() {
    choose_tray_item 0 0 1
}

new_event_matches() {
    e2e_events | tail -n +$(($1 + 1)) | grep -Eq "$2"
}
