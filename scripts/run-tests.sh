#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Quillmarten five ways and runs every test: the layer
# check, the unit tests natively and under AddressSanitizer and UndefinedBehaviorSanitizer, a
# minute of fuzzing the start of metering, checks of the shipped 32-bit executables, and the
# end-to-end tests, the fault drills and the viewer's tests under Wine against the 64-bit build and
# against the 32-bit build that ships, the latter in the 32-bit Wine root (made on the first run).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-debian.sh
scripts/setup-win32-root.sh

echo "== layers"
scripts/check-layers.sh

jobs=$(nproc)
for preset in native sanitize fuzz windows-i686 windows-x86_64; do
    echo "== build: $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

echo "== unit tests"
ctest --preset native -j "$jobs"

echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ctest --preset sanitize -j "$jobs"

echo "== fuzzing the start of metering for a minute"
# New inputs go to a directory of their own; the seeds in the repository stay as they are.
fuzzing=$(mktemp -d)
trap 'rm -rf "$fuzzing"' EXIT
mkdir "$fuzzing/found"
if ! build/fuzz/tests/fuzz/start_path_fuzzer -max_len=4096 -max_total_time=60 \
    "$fuzzing/found" tests/fuzz/corpus >"$fuzzing/log" 2>&1; then
    tail -n 40 "$fuzzing/log"
    exit 1
fi
grep -E "^Done" "$fuzzing/log"

echo "== shipped executables"
scripts/check-shipped-exe.sh build/windows-i686

# The end-to-end suites: each makes its own X display and Wine prefix, so the 32-bit ones, slower
# under emulation, run beside the 64-bit ones. Each writes to a log of its own, and says how it
# ended when it does; the log of a suite that failed follows at the end.
logs=build/e2e-logs
rm -rf "$logs" && mkdir -p "$logs"
# suites BUILD [WRAPPER...]: the end-to-end tests, the fault drills (kills, locks, a full disk)
# and the viewer beside the service, one after another, against BUILD, run by WRAPPER.
suites() {
    local build=$1 suite log started status=0
    for suite in run drills viewer; do
        log=$logs/$suite-$(basename "$build").log started=$SECONDS
        "${@:2}" "tests/e2e/$suite.sh" "$build" >"$log" 2>&1 || { status=1 && touch "$log.failed"; }
        printf '== %s.sh %s: %s s, %s\n%s\n' "$suite" "$(basename "$build")" "$((SECONDS - started))" \
            "$log" "$(grep -E '^e2e: [0-9]+ passed' "$log" || echo "e2e: no summary")"
    done
    return "$status"
}
echo "== end-to-end tests under Wine: the 64-bit build here, beside the 32-bit one in the 32-bit root"
# Each lane in a process group of its own, so that an interrupt ends both, and their X servers and
# Wine, cleanly: the suites end on TERM, and in the background they would ignore INT.
set -m
suites build/windows-x86_64 &
lane64=$!
suites build/windows-i686 scripts/in-win32-root.sh &
lane32=$!
set +m
trap 'kill -TERM -- "-$lane64" "-$lane32" 2>/dev/null' INT TERM
status=0
wait "$lane64" || status=1
wait "$lane32" || status=1
for log in "$logs"/*.log; do
    [[ ! -e $log.failed ]] || { echo "== $log" && cat "$log"; }
done
exit "$status"
