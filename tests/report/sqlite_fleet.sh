#!/usr/bin/env bash
# A fleet's report by day loaded into SQLite as the README shows, and each machine's sum in SQL
# checked against the command's own totals and against the sums the logs hold.
# Usage: sqlite_fleet.sh [path of quillmarten-report]
set -euo pipefail
report=${1:-build/native/programs/report/quillmarten-report}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A session's 40-byte record (the length 38, then start, stop and time in use) and a gap.
session() { printf '\x26\x00%s%s%s' "$1" "$2" "$3"; }
gap() { head -c 40 /dev/zero; }
{
    session 20261230220000 20261231013000 0000030000
    gap
    session 20261231080000 20261231120000 0000035500
} >"$work/office.dat"
{
    session 20261231090000 20261231170000 0000080000
    gap
    session 20270101100000 20270101110000 0000010000
} >"$work/lab.dat"
session 20261231233000 20270101003000 0000010000 >"$work/home.dat"
logs=(office="$work/office.dat" lab="$work/lab.dat" home="$work/home.dat")

"$report" --by day --format csv "${logs[@]}" >"$work/fleet.csv"
sqlite3 "$work/fleet.db" \
    "CREATE TABLE fleet (machine TEXT, day TEXT, seconds INTEGER, time_in_use TEXT,
                         sessions INTEGER, estimated_seconds INTEGER);" \
    ".import --csv --skip 1 $work/fleet.csv fleet"
sums=$(sqlite3 -separator ' ' "$work/fleet.db" \
    "SELECT machine, SUM(seconds) FROM fleet GROUP BY machine ORDER BY machine;")
totals=$("$report" --by day "${logs[@]}" | awk '$2 == "total" { print $1, $3 }' | sort)
if [[ $sums != "$totals" || $sums != $'home 3600\nlab 32400\noffice 24900' ]]; then
    echo "sqlite_fleet: SQL sums [$sums], the report's totals [$totals]" >&2
    exit 1
fi
