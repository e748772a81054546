#!/usr/bin/env bash
# The report on files that are no log or that no split could walk: /dev/zero, a FIFO without a
# writer and with one that never stops, and a log of 4 KB whose sessions span the years 1 to 9999.
# Each must end with exit 1 or 2 and say why; `timeout` makes a lost bound fail instead of hang.
# Usage: bounded_readers.sh [path of quillmarten-report]
set -uo pipefail
report=${1:-build/native/programs/report/quillmarten-report}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
failures=0

# ends_with FILE STATUS FIRST_ERROR_LINE: the report by day on FILE, within 10 s.
ends_with() {
    local status
    timeout 10 "$report" --by day "$1" >/dev/null 2>"$work/err"
    status=$?
    if [[ $status != "$2" || $(head -n 1 "$work/err") != "$1: $3" ]]; then
        echo "bounded_readers: $1 ended with $status, saying: $(head -n 1 "$work/err")" >&2
        ((++failures))
    fi
}

session() { printf '\x26\x00%s%s%s' "$1" "$2" "$3"; }
for _ in $(seq 51); do
    session 00010101000000 99991231235959 9999235959
    head -c 40 /dev/zero
done >"$work/years.dat"
mkfifo "$work/fifo"

ends_with /dev/zero 2 "cannot be read: Not a regular file"
ends_with "$work/fifo" 2 "cannot be read: Not a regular file"
yes >"$work/fifo" &
ends_with "$work/fifo" 2 "cannot be read: Not a regular file"
ends_with "$work/years.dat" 1 "record 1: the start is not a real date and time"
exit $((failures > 0))
