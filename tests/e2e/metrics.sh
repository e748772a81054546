#!/usr/bin/env bash
# The service's metrics file as a fleet's monitoring reads it: the x64 package installed under
# Wine's msiexec with METRICSFOLDER set to windows_exporter's text-file folder; Debian's node
# exporter publishing that folder through its text-file collector, which reads the same format,
# and Debian's Prometheus scraping it every second, both on free loopback ports, started and
# stopped here, their data in the work directory. Against promtool, the caption, the event log
# and the log's bytes.
# Usage: tests/e2e/metrics.sh BUILD_DIR   (the windows-x86_64 build directory)
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "${1:?usage: metrics.sh BUILD_DIR}"
package=$(ls "$build"/installer/Quillmarten-*-x64.msi) || e2e_fail "no package in $build/installer"
log_file="$WINEPREFIX/drive_c/Program Files/Quillmarten/Quillmarten.dat"
textfile_folder='C:\Program Files\windows_exporter\textfile_inputs'
textfile_dir="$WINEPREFIX/drive_c/Program Files/windows_exporter/textfile_inputs"
prom=$textfile_dir/quillmarten.prom

# sample NAME: the metric's value in the file.
sample() { awk -v name="$1" '$1 == name { print $2 }' "$prom"; }
# free_port: a loopback port that nothing listens on.
free_port() {
    local port
    while port=$((20000 + RANDOM % 40000)) && (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do :; done
    echo "$port"
}
# query EXPRESSION: the value of the query's one sample, through Prometheus' HTTP API.
query() {
    curl -sf "http://127.0.0.1:$prometheus_port/api/v1/query" --data-urlencode "query=$1" |
        sed -n 's/.*"value":\[[^,]*,"\([^"]*\)"\].*/\1/p'
}
# The file's start is its record's in Unix time, Wine's local time being the machine's; the clock
# is read twice, so the second may have turned in between.
start_is_records() {
    local later && later=$(($(sample quillmarten_session_start_timestamp_seconds) -
        $(stamp_seconds "$(record_start "$log_file" 1)"))) && ((later == 0 || later == 1))
}

section "installed with METRICSFOLDER"
mkdir -p "$textfile_dir" && cp "$package" "$WINEPREFIX/drive_c/"
check "msiexec /i /qn METRICSFOLDER=\"$textfile_folder\" ends with 0" timeout -k 5 300 "$E2E_WINE" \
    msiexec /i "C:\\${package##*/}" /qn "METRICSFOLDER=$textfile_folder" /l*v 'C:\install.log'
check "the service's MetricsFolder names the folder" grep -qxF "    MetricsFolder    REG_SZ    $textfile_folder" \
    <<<"$(registry "$service_key\\Parameters" /v MetricsFolder)"
check "the service runs and keeps quillmarten.prom there from its start, alone" eval \
    'wait_for 20 service_is RUNNING && wait_for 20 test -s "$prom" && [[ $(ls "$textfile_dir") == quillmarten.prom ]]'
check "promtool check metrics passes on it" eval 'promtool check metrics <"$prom"'
check "the session's start is its record's, as Unix time" start_is_records

section "published by the node exporter, scraped by Prometheus"
exporter_port=$(free_port)
prometheus-node-exporter --web.listen-address="127.0.0.1:$exporter_port" --collector.disable-defaults \
    --collector.textfile --collector.textfile.directory="$textfile_dir" >"$E2E_DIR/node-exporter.log" 2>&1 &
E2E_PIDS=$!
wait_for 20 curl -sf -o /dev/null "http://127.0.0.1:$exporter_port/metrics" || e2e_fail "no node exporter"
printf 'global:\n  scrape_interval: 1s\nscrape_configs:\n  - job_name: quillmarten\n    static_configs:\n      - targets: ["127.0.0.1:%s"]\n' \
    "$exporter_port" >"$E2E_DIR/prometheus.yml"
prometheus_port=$(free_port)
prometheus --config.file="$E2E_DIR/prometheus.yml" --storage.tsdb.path="$E2E_DIR/prometheus" \
    --web.listen-address="127.0.0.1:$prometheus_port" >"$E2E_DIR/prometheus.log" 2>&1 &
E2E_PIDS+=" $!"
check "Prometheus has the meter running" wait_for 30 prints 1 query quillmarten_meter_running

section "pause: Prometheus' grand total is the caption's"
e2e_helper control Quillmarten pause
check "the file says paused at once" wait_for 10 prints 0 sample quillmarten_meter_running
check "and Prometheus a scrape later" wait_for 10 prints 0 query quillmarten_meter_running
check "Prometheus' grand total is the caption's, within two seconds" \
    within_caption_totals 2 query quillmarten_time_in_use_seconds_total

section "continue, then a write a minute later, none on the tick"
e2e_helper control Quillmarten continue
check "the file says running at once" wait_for 10 prints 1 sample quillmarten_meter_running
written=$(stat -c '%i %.9Y' "$prom") session=$(sample quillmarten_session_time_in_use_seconds)
sleep 5
check "the ticks leave it alone" test "$(stat -c '%i %.9Y' "$prom")" = "$written"
check "written anew a minute after the continue, the session a minute longer" \
    wait_for 65 eval '(($(sample quillmarten_session_time_in_use_seconds) >= session + 50))'
check "and Prometheus has it" wait_for 5 \
    prints "$(sample quillmarten_session_time_in_use_seconds)" query quillmarten_session_time_in_use_seconds

section "a folder that is gone"
entries=$(event_count)
mv "$textfile_dir" "$E2E_DIR/moved"
e2e_helper control Quillmarten pause && e2e_helper control Quillmarten continue
check "two failed writes are reported once" eval 'wait_for 10 service_is RUNNING &&
    [[ $(events_since "$entries" "^1 109 \[76\] Path not found - C:.*quillmarten\.prom$") == 1 ]]'
check "metering and the log's writes go on" log_grows
mv "$E2E_DIR/moved" "$textfile_dir"
e2e_helper control Quillmarten pause
check "once the folder is back, the next write lands whole" wait_for 10 eval \
    '[[ $(sample quillmarten_meter_running) == 0 && $(ls "$textfile_dir") == quillmarten.prom ]]'

summary
