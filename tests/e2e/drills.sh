#!/usr/bin/env bash
# Fault drills against Quillmarten.exe under Wine: a process frozen across midnight, kills, locks,
# another log moved or copied over the running one, the running log copied back, cut or moved
# aside and back, a read-only log, a full disk, random bytes, 100,000 sessions, a log-off, a close
# from outside. No stored byte changes, each new record lands whole in its place, every session is
# metered in full once the cause is gone, and the event log says so.
# Usage: tests/e2e/drills.sh BUILD_DIR [KILL_ROUNDS]   (a windows-x86_64 or windows-i686 build directory)
set -uo pipefail
# Root writes a file whatever its mode: the read-only drill needs Wine without that override.
if [[ $(id -u) == 0 && -z ${E2E_WITHOUT_DAC_OVERRIDE:-} ]]; then
    exec env E2E_WITHOUT_DAC_OVERRIDE=1 setpriv --bounding-set -dac_override,-dac_read_search \
        "$0" "$@"
fi
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# Every process from the prefix's first Wine process on, the drills' own clocks included, runs on
# one shifted clock, so that a local midnight falls a few minutes after the set-up. Not with 32-bit
# programs: libfaketime hands the semaphore of a process's first faked ancestor on to every process
# it starts, and a 32-bit process waits for ever on one that a 64-bit process made; with the
# 32-bit processes alone shifted, Wine's own first start hangs. That lane leaves the drill out.
midnight_after=180
if [[ $(e2e_program_bits "${1:-}") == 64 ]]; then
    ahead=$(($(date -d 'tomorrow 00:00' +%s) - $(date +%s) - midnight_after))
    export LD_PRELOAD='/usr/$LIB/faketime/libfaketime.so.1' FAKETIME=$( ((ahead < 0)) || echo +)${ahead}s
fi
midnight=$(($(date +%s) + midnight_after))
e2e_setup "${1:?usage: drills.sh BUILD_DIR [KILL_ROUNDS]}"
install_in "Quill Drills"
days_file=${log_file%.dat}.days
sudo="" && [[ $(id -u) == 0 ]] || sudo="sudo"

# The number of the next session's record: behind a gap, or the first.
new_record_number() {
    local n=$((($(stat -c %s "$log_file" 2>/dev/null || echo 0) + 39) / 40)) && echo $((n ? n + 2 : 1))
}
record_seconds() {
    duration_seconds "$(record_bytes "${2:-$log_file}" "$1" | sed -E 's/.{28}(.{4})(..)(..)(..)/\1:\2:\3:\4/')"
}
# The time in use of FILE's well-formed records.
stored_seconds() {
    local number sum=0
    for ((number = 1; number <= $(stat -c %s "$1") / 40; number++)); do
        if record_is_valid "$1" "$number"; then sum=$((sum + $(record_seconds "$number" "$1"))); fi
    done
    echo "$sum"
}
reported_once() { [[ $(events_since "$entries" "$1") == 1 ]]; }

# The record at NUMBER started between the stamps $started and $running taken around the start
# (the service takes its start before it says it runs) and has counted every second since, give
# or take the three a tick may take.
metered_in_full() {
    local start && record_is_valid "$log_file" "$1" &&
        start=$(stamp_seconds "$(record_start "$log_file" "$1")") &&
        ((start >= started && start <= running &&
            $(record_seconds "$1") >= $(date +%s) - start - 3))
}
# Starts the service, noting the entries so far, the new record's number and the stamps around it.
start_metered() { entries=$(event_count) expected=$(new_record_number) started=$(date +%s) && start_service && running=$(date +%s); }

# The log held open by another program, with no sharing, until the holder ends.
lock() {
    WINEDEBUG=-all "$E2E_WINE" "$E2E_HELPER" lock "$folder\\Quillmarten.dat" >"$E2E_DIR/lock.out" &
    locker=$! && wait_for 20 grep -q locked "$E2E_DIR/lock.out"
}
unlock_later() { sleep "$1" && kill "$locker" && wait "$locker"; sleep 2; }

# within_two DAY SECONDS: the row of DAY (a day number from midnight's) in the report by day holds
# SECONDS, give or take two, all measured.
within_two() {
    awk -F, -v day="$(date -d "@$((midnight + $1 * 86400))" +%F)" -v expected="$2" \
        '$2 == day { found = 1; exit !($3 >= expected - 2 && $3 <= expected + 2 && $6 == 0) }
         END { exit !found }' "$E2E_DIR/by-day.csv"
}
# The service frozen for a minute across midnight: the report by day of a copy of its folder gives
# each day the seconds counted on it, give or take the two a tick and a copy may take.
frozen_across_midnight() {
    start_service
    sleep "$((midnight - 20 - $(date +%s)))" 2>/dev/null
    frozen=$(date +%s) && kill -STOP "$(program_pid)"
    sleep 60
    released=$(date +%s) && kill -CONT "$(program_pid)"
    sleep 5
    mkdir "$E2E_DIR/copy" && cp "$log_file" "$days_file" "$E2E_DIR/copy/" && copied=$(date +%s)
    started=$(stamp_seconds "$(record_start "$log_file" 1)")
    "$E2E_REPO/build/native/programs/report/quillmarten-report" --by day --format csv \
        "$E2E_DIR/copy/Quillmarten.dat" | tr -d '\r' >"$E2E_DIR/by-day.csv"
    check "frozen 20 s before midnight, the day before has the $((frozen - started)) s counted on it" \
        eval '((midnight - frozen >= 10)) && within_two -1 $((frozen - started))'
    check "released after midnight, the day after has the $((copied - released + 1)) s counted since" \
        within_two 0 $((copied - released + 1))
    check "and the service meters on" service_is RUNNING
    stop_service
}
if [[ -n ${FAKETIME:-} ]]; then
    frozen_across_midnight
else
    e2e_log "skip the service frozen across midnight: no shifted clock for 32-bit programs"
fi

for ((round = 1; round <= ${2:-4}; round++)); do
    cp "$log_file" "$E2E_DIR/before.dat" 2>/dev/null || : >"$E2E_DIR/before.dat"
    expected=$(new_record_number)
    "$E2E_WINE" sc start Quillmarten >/dev/null 2>&1
    wait_for 20 program_pid >/dev/null && sleep "$((RANDOM % 3)).$((RANDOM % 10))"
    kill -9 "$(program_pid)" && wait_for 10 program_gone
    check "kill $round: stored bytes unchanged, the new record whole in its place" eval 'cmp -s \
        "$E2E_DIR/before.dat" "$log_file" || holds_before_then_record "$E2E_DIR/before.dat" "$expected"'
done
start_service
stop_service

lock && start_metered
sleep 2
check "the service shows its green icon while the log is locked at start" tray_is green
unlock_later 2
check "a lock at start is reported once" reported_once '^1 109 \[70\] .* - Inizializza$'
check "once released, the record lands in its place, metered in full from the session's start" \
    metered_in_full "$expected"

entries=$(event_count)
lock; unlock_later 5
check "a lock while running is reported once" reported_once '^1 109 \[70\] .* - Aggiorna$'
check "and the session is metered in full through it" metered_in_full "$expected"

# replace_log HOW FILE: the running service's log replaced by FILE, moved or copied over it.
replace_log() { entries=$(event_count) && "$1" "$2" "$log_file" && sleep 2; }
big_log "$E2E_DIR/moved.dat" 1 && cp "$E2E_DIR/moved.dat" "$E2E_DIR/moved.before"
replace_log mv "$E2E_DIR/moved.dat"
check "another log moved over the running one keeps its bytes; the session goes behind them" \
    holds_before_then_record "$E2E_DIR/moved.before" 3
check "and one information entry says where" \
    reported_once "^4 109 The log was replaced; this session.s record moved to record 3$"
big_log "$E2E_DIR/copied.dat" 4
replace_log cp "$E2E_DIR/copied.dat"
check "another log copied over the running one in place keeps its bytes likewise" \
    holds_before_then_record "$E2E_DIR/copied.dat" 9
check "and one information entry says so" \
    reported_once "^4 109 The session.s record was overwritten; this session.s record moved to record 9$"
check "the session is metered in full through both" metered_in_full 9

# A log that comes back, is cut inside the running record, or goes aside and back keeps one record
# of the session, and the caption's total is the sum of the log's records.
session_start=$(record_start "$log_file" 9)
one_record_of_session() {
    [[ $(tr '\0' ' ' <"$log_file" | fold -b -w40 | cut -c3-16 | grep -cx "$session_start") == 1 ]] &&
        within_caption_totals 2 stored_seconds "$log_file"
}
entries=$(event_count)
# The copies lag seconds behind, more than the sum may differ from the caption.
cp "$log_file" "$E2E_DIR/copy.dat" && sleep 4 && mv "$E2E_DIR/copy.dat" "$log_file"
check "a copy of the log moved back over it keeps the session's record, silently" \
    wait_for 20 eval 'one_record_of_session && ! events_since "$entries" "^4 109"'
truncate -s $((9 * 40 - 10)) "$log_file"
check "a log cut inside the running record gets it whole in its place" \
    wait_for 20 eval 'one_record_of_session && record_is_valid "$log_file" 9'
mv "$log_file" "$E2E_DIR/aside.dat" && wait_for 20 eval '[[ $(record_start "$log_file" 1) == "$session_start" ]]'
mv "$E2E_DIR/aside.dat" "$log_file"
check "a log moved aside and back, the session having gone on in a new one, keeps one record of it" \
    wait_for 20 eval 'reported_once "^4 109 The log was replaced; this session.s record moved to record 9$" &&
        one_record_of_session && [[ $(stat -c %s "$log_file") == 360 ]]'
stop_service

cp "$log_file" "$E2E_DIR/read-only.dat" && chmod 444 "$log_file"
stored=$(stored_seconds "$log_file") start_time=$SECONDS
start_metered
shows_stored_total() {
    local shown && shown=$(caption_total QuillmartenHourMeter) &&
        ((shown > stored && shown <= stored + SECONDS - start_time + 2))
}
check "a read-only log at start is reported once" wait_for 5 reported_once '^1 109 \[70\] .* - Inizializza$'
check "its sessions are counted: the caption shows their total and the session's" \
    wait_for 5 shows_stored_total
chmod 644 "$log_file" && sleep 2
check "once writable, the record lands in its place, metered in full from the session's start" \
    eval 'holds_before_then_record "$E2E_DIR/read-only.dat" "$expected" && metered_in_full "$expected"'
stop_service

# 4040 bytes: the next record crosses into a page of its own, which the full disk refuses.
head -c 4040 "$log_file" >"$E2E_DIR/full.dat" && truncate -s 4040 "$E2E_DIR/full.dat"
$sudo mount -t tmpfs -o size=2m tmpfs "$program_dir" || e2e_fail "could not mount a tiny disk"
E2E_MOUNT=$program_dir
cp "$build/programs/quillmarten/Quillmarten.exe" "$program_dir/" && cp "$E2E_DIR/full.dat" "$log_file"
dd if=/dev/zero of="$program_dir/filler" bs=4096 2>/dev/null
start_metered
sleep 3
check "a full disk at start is reported once for the log" \
    reported_once '^1 109 \[61\] Disk full - Inizializza$'
check "and once for its days file" \
    reported_once '^1 109 \[61\] Disk full writing Quillmarten.days - Inizializza$'
check "and leaves no fragment" eval 'cmp -s "$E2E_DIR/full.dat" "$log_file" && [[ ! -s $days_file ]]'
rm "$program_dir/filler" && sleep 3
check "once space is freed, the record lands in its place, metered in full from the start" \
    eval 'holds_before_then_record "$E2E_DIR/full.dat" 103 && metered_in_full 103'
check "and the days file begins with the session's beginning" eval '[[ $(head -c 80 "$days_file" |
    tail -c 38) == "$(record_start "$log_file" 103)$(record_start "$log_file" 103)0000000000" ]]'
stop_service
$sudo umount "$program_dir" && E2E_MOUNT=

head -c 10240 /dev/urandom >"$log_file" && cp "$log_file" "$E2E_DIR/random.dat"
start_metered
sleep 3
reports=$(events_since "$entries" '^1 109 .* - Inizializza$')
check "random bytes give one to eleven reports ($reports)" test "$reports" -ge 1 -a "$reports" -le 11
check "and the service meters behind them" holds_before_then_record "$E2E_DIR/random.dat" 258
stop_service
big_log "$log_file" 100000
start_service
check "100,000 sessions open at once, the running session last and selected" \
    wait_for 10 eval '[[ $(rows_selected QuillmartenHourMeter) == "rows 100001,selected 100000," ]]'
check "with the grand total of all of them" \
    wait_for 5 eval '[[ $(e2e_helper find QuillmartenHourMeter) == *"At work since 40416:16:0"* ]]'

check "a log-off reaches the program's window" test "$(e2e_helper logoff QuillmartenHourMeter)" = 1
sleep 3 && before=$(record_seconds 200001) && sleep 2
check "the service still runs and meters on" \
    eval '[[ $(service_state) == RUNNING ]] && (($(record_seconds 200001) > before))'
e2e_helper close QuillmartenTray
check "a close ends the service and its program" \
    eval 'wait_for 20 service_is STOPPED && wait_for 10 program_gone'
check "the tray icon is gone" tray_is none

summary
