#!/usr/bin/env bash
# What the service and the viewer cost under Wine, in CPU seconds per minute of each process
# (utime + stime from /proc/PID/stat): the service alone, then beside the viewer, shown and
# hidden, on one log of 100,000 sessions. Not a test: it prints figures and passes or fails
# nothing. Wine's figures follow the machine's load: compare runs made back to back.
# Usage: bench/wine_cost.sh BUILD_DIR [SECONDS]   (the windows-x86_64 build directory; SECONDS
#        per measured window, 60 by default)
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
e2e_setup "${1:?usage: wine_cost.sh BUILD_DIR [SECONDS]}"
window=${2:-60}
# What a process of this prefix is named on its command line, and how it is called here.
processes=(Quillmarten.exe QuillmartenView.exe wineserver services.exe explorer.exe)
names=(service viewer wineserver services explorer)
ticks_per_second=$(getconf CLK_TCK)

# cpu_ticks PATTERN: the user and system ticks of every process of this prefix matching PATTERN.
cpu_ticks() {
    local pid sum=0 fields
    for pid in $(pgrep -f "$1"); do
        grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null || continue
        # The command name, field 2, may hold spaces: count the fields after its ')'.
        fields=$(sed 's/.*) //' "/proc/$pid/stat" 2>/dev/null) || continue
        read -r -a fields <<<"$fields"
        sum=$((sum + fields[11] + fields[12]))
    done
    echo "$sum"
}

# measure LABEL: one window; prints each process's CPU seconds per minute and sets `rates`.
measure() {
    local before=() index start=$SECONDS
    for index in "${!processes[@]}"; do before[index]=$(cpu_ticks "${processes[index]}"); done
    sleep "$window"
    local elapsed=$((SECONDS - start)) line="$1:"
    rates=()
    for index in "${!processes[@]}"; do
        rates[index]=$(awk -v a="${before[index]}" -v b="$(cpu_ticks "${processes[index]}")" \
            -v hz="$ticks_per_second" -v s="$elapsed" 'BEGIN { printf "%.3f", (b - a) / hz * 60 / s }')
        line+=" ${names[index]} ${rates[index]}"
    done
    echo "$line"
}

# added ALONE...: what the viewer adds, its own rate plus the rise of Wine's processes.
added() {
    awk -v v="${rates[1]}" -v w="${rates[2]}" -v s="${rates[3]}" -v e="${rates[4]}" \
        -v w0="$3" -v s0="$4" -v e0="$5" 'BEGIN { printf "%.3f", v + (w - w0) + (s - s0) + (e - e0) }'
}

install_in "Quill Cost"
cp "$build/programs/viewer/QuillmartenView.exe" "$program_dir/"
big_log "$log_file" 100000
start_service
wait_for 20 shown QuillmartenHourMeter || e2e_fail "the service shows no window"
# The service's window hides itself after 30 s; the figures are those of a settled service.
wait_for 40 hidden QuillmartenHourMeter && sleep 5
e2e_log "measuring $window s windows"
measure "service alone"
alone=("${rates[@]}")
service_total=$(awk -v a="${alone[0]}" -v w="${alone[2]}" -v s="${alone[3]}" -v e="${alone[4]}" \
    'BEGIN { printf "%.3f", a + w + s + e }')

WINEDEBUG=-all "$E2E_WINE" "C:\\Program Files\\Quill Cost\\QuillmartenView.exe" \
    >>"$E2E_DIR/viewer.out" 2>&1 &
wait_for 30 shown QuillmartenViewer || e2e_fail "the viewer shows no window"
sleep 5
measure "viewer shown"
shown_added=$(added "${alone[@]}")
e2e_helper close QuillmartenViewer
wait_for 10 hidden QuillmartenViewer || e2e_fail "the viewer's window does not hide"
sleep 5
measure "viewer hidden"
hidden_added=$(added "${alone[@]}")
echo "service's own total $service_total; the viewer adds $shown_added shown, $hidden_added hidden"
summarised=1
