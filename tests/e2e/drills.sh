#!/usr/bin/env bash
# Fault drills against the real Quillmarten.exe under Wine: the service killed at random moments,
# the log locked by another program at start and while running, the disk full at start, a log of
# random bytes, a user's log-off and a close sent from outside. Checks that no stored byte
# changes, that each new record is whole and in its place, that every session is metered in full
# once the cause is gone, and what reaches the event log.
# Usage: tests/e2e/drills.sh BUILD_DIR [KILL_ROUNDS]   (the windows-x86_64 build directory)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"
source "$here/checks.sh"
e2e_test_build "${1:?usage: drills.sh BUILD_DIR [KILL_ROUNDS]}"
kill_rounds=${2:-4}

folder_unix="Program Files/Quill Drills"
folder='C:\Program Files\Quill Drills'
exe="$folder\\Quillmarten.exe"
program_dir=
log_file=

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"

e2e_setup
program_dir="$WINEPREFIX/drive_c/$folder_unix"
log_file="$program_dir/Quillmarten.dat"
install_program

slots() { echo $((($(stat -c %s "$log_file" 2>/dev/null || echo 0) + 39) / 40)); }
new_record_number() { local n; n=$(slots); echo $((n == 0 ? 1 : n + 2)); }

# The file holds BEFORE_COPY unchanged, then zeros, then a whole record at NUMBER.
holds_before_then_record() {
    local before=$1 number=$2 size
    size=$(stat -c %s "$before")
    cmp -s -n "$size" "$before" "$log_file" &&
        [[ $(stat -c %s "$log_file") -eq $((number * 40)) ]] &&
        [[ -z $(dd if="$log_file" bs=1 skip="$size" count=$(((number - 1) * 40 - size)) \
            2>/dev/null | tr -d '\0') ]] &&
        record_is_valid "$log_file" "$number"
}

# A kill leaves the file as it was, or as it was with the new session's record whole in place.
kill_intact() {
    cmp -s "$1" "$log_file" || holds_before_then_record "$1" "$2"
}

reports_matching() { e2e_events | tail -n +$(($1 + 1)) | grep -Ec "$2"; }

# The record at NUMBER started at STARTED (a stamp taken just before the start) and has counted
# every second since, give or take the two seconds a start and a tick may take.
metered_in_full() {
    local number=$1 started=$2 start used elapsed
    record_is_valid "$log_file" "$number" || return 1
    start=$(record_bytes "$log_file" "$number" | cut -c1-14)
    used=$(record_seconds "$log_file" "$number")
    elapsed=$(($(date +%s) - $(stamp_seconds "$start")))
    (($(stamp_seconds "$start") - $(stamp_seconds "$started") <= 2 && used >= elapsed - 3))
}

section "the service killed at random moments, $kill_rounds rounds"
for ((round = 1; round <= kill_rounds; round++)); do
    cp "$log_file" "$E2E_DIR/before.dat" 2>/dev/null || : >"$E2E_DIR/before.dat"
    expected=$(new_record_number)
    "$E2E_WINE" sc start Quillmarten >/dev/null 2>&1
    e2e_wait_for 20 program_pid >/dev/null
    sleep "$((RANDOM % 3)).$((RANDOM % 10))"
    kill -9 "$(program_pid)"
    e2e_wait_for 10 program_gone
    check "round $round: stored bytes unchanged, the new record whole in its place" \
        kill_intact "$E2E_DIR/before.dat" "$expected"
done
start_service
stop_service

section "the log locked by another program at start, then released"
entries=$(e2e_events | wc -l)
expected=$(new_record_number)
e2e_helper lock "$folder\\Quillmarten.dat" 6 >"$E2E_DIR/lock.out" &
locker=$!
e2e_wait_for 20 grep -q locked "$E2E_DIR/lock.out"
started=$(stamp_now)
start_service
sleep 2
e2e_screenshot "$E2E_DIR/locked.png"
check "the service shows its green icon while the log is locked" \
    test "$(tray_colour "$E2E_DIR/locked.png")" = green
wait "$locker"
sleep 2
check "the lock is reported once" \
    test "$(reports_matching "$entries" '^1 109 \[70\] .* - Inizializza$')" -eq 1
check "once released, the record lands in its place with the session's true start" \
    record_is_valid "$log_file" "$expected"
check "and the session is metered in full" metered_in_full "$expected" "$started"

section "the log locked while the service runs, then released"
entries=$(e2e_events | wc -l)
e2e_helper lock "$folder\\Quillmarten.dat" 5 >"$E2E_DIR/lock.out" &
locker=$!
e2e_wait_for 20 grep -q locked "$E2E_DIR/lock.out"
wait "$locker"
sleep 2
check "the lock is reported once" \
    test "$(reports_matching "$entries" '^1 109 \[70\] .* - Aggiorna$')" -eq 1
check "the session is metered in full through the lock" metered_in_full "$expected" "$started"
stop_service

section "disk full at start, then space freed"
# 4040 bytes: the next record crosses into a page of its own, which the full disk refuses.
head -c 4040 "$log_file" >"$E2E_DIR/full.dat"
head -c $((4040 - $(stat -c %s "$E2E_DIR/full.dat"))) /dev/zero >>"$E2E_DIR/full.dat"
$sudo mount -t tmpfs -o size=2m tmpfs "$program_dir" || e2e_fail "could not mount a tiny disk"
cp "$build/windows/Quillmarten.exe" "$E2E_DIR/full.dat" "$program_dir/"
mv "$program_dir/full.dat" "$log_file"
dd if=/dev/zero of="$program_dir/filler" bs=4096 2>/dev/null
entries=$(e2e_events | wc -l)
started=$(stamp_now)
start_service
sleep 3
check "a full disk at start is reported once" \
    test "$(reports_matching "$entries" '^1 109 \[61\] .* - Inizializza$')" -eq 1
check "and leaves no fragment" cmp -s "$E2E_DIR/full.dat" "$log_file"
rm "$program_dir/filler"
sleep 3
check "once space is freed, the record lands in its place" \
    holds_before_then_record "$E2E_DIR/full.dat" 103
check "with the session's true start and its time in full" metered_in_full 103 "$started"
stop_service
$sudo umount "$program_dir"

section "a log of random bytes"
head -c 10240 /dev/urandom >"$log_file"
cp "$log_file" "$E2E_DIR/random.dat"
entries=$(e2e_events | wc -l)
start_service
sleep 3
reports=$(reports_matching "$entries" '^1 109 .* - Inizializza$')
check "gives at most eleven reports ($reports)" test "$reports" -ge 1 -a "$reports" -le 11
check "and meters behind it" holds_before_then_record "$E2E_DIR/random.dat" 258

section "a log of 100,000 sessions"
stop_service
big_log "$log_file" 100000
start_service
shows_all_sessions() {
    local rows
    rows=$(e2e_helper window rows --class QuillmartenHourMeter)
    grep -qx $'rows\t100001' <<<"$rows" && grep -qx $'selected\t100000' <<<"$rows"
}
check "opens at once, the running session last and selected" e2e_wait_for 10 shows_all_sessions
check "with the grand total of all of them" e2e_wait_for 5 eval \
    "e2e_helper window find --class QuillmartenHourMeter | grep -q 'At work since 40416:16:0'"

section "a user's log-off"
check "reaches the program's windows" e2e_helper logoff --class QuillmartenHourMeter
sleep 3
check "the service still runs" test "$(e2e_helper service Quillmarten state)" = RUNNING
before=$(record_seconds "$log_file" 200001)
sleep 2
check "and meters on" test "$(record_seconds "$log_file" 200001)" -gt "$before"

section "a close sent from outside to the hidden owner window"
e2e_helper window close --class QuillmartenTray >/dev/null
check "ends the hosting" e2e_helper service Quillmarten wait STOPPED 20
check "and the program" e2e_wait_for 10 program_gone
e2e_screenshot "$E2E_DIR/closed.png"
check "the tray icon is gone" test "$(tray_colour "$E2E_DIR/closed.png")" = none

summary
