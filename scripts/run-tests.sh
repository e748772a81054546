#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Quillmarten five ways and runs every test: the layer
# check, the unit tests natively and under AddressSanitizer and UndefinedBehaviorSanitizer, a
# minute of fuzzing the start of metering, checks of the executables of both Windows builds, of the
# signatures of the 32-bit one (signed with a throwaway certificate) and of both Windows Installer
# packages' tables, and the end-to-end tests, the fault drills, the viewer's tests and the
# package's under Wine against the 64-bit build and against the 32-bit build that ships, the
# latter in the 32-bit Wine root (made on the first run), and the x64 package's metrics file read
# by Debian's node exporter and Prometheus.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-debian.sh
scripts/setup-win32-root.sh

# The end-to-end suites run in two lanes, one per Windows build, beside the rest: each suite makes
# its own X display and Wine prefix. Each writes to a log of its own and says how it ended when it
# does; the log of a suite that failed follows at the end.
logs=build/e2e-logs lanes=()
rm -rf "$logs" && mkdir -p "$logs"
# suites BUILD "SUITE..." [WRAPPER...]: the named suites of tests/e2e, one after another, against
# BUILD, run by WRAPPER: run (the end-to-end tests), drills (kills, locks, a full disk...), viewer
# (beside the service), scale (every text whole at 144 dpi), installer (the build's package), metrics
# (the x64 package's metrics file through a node exporter into Prometheus).
suites() {
    local build=$1 suite log started status=0
    for suite in $2; do
        log=$logs/$suite-$(basename "$build").log started=$SECONDS
        "${@:3}" "tests/e2e/$suite.sh" "$build" >"$log" 2>&1 || { status=1 && touch "$log.failed"; }
        printf '== %s.sh %s: %s s, %s\n%s\n' "$suite" "$(basename "$build")" "$((SECONDS - started))" \
            "$log" "$(grep -E '^e2e: [0-9]+ passed' "$log" || echo "e2e: no summary")"
    done
    return "$status"
}
# lane BUILD "SUITE..." [WRAPPER...]: the suites in the background, in a process group of their
# own, so that the end of the test command, however it comes, ends them and their X servers and
# Wine cleanly (they end on TERM; in the background they would ignore INT).
lane() {
    echo "== end-to-end tests under Wine against $1, beside the rest (logs in $logs)"
    set -m
    suites "$@" &
    set +m
    lanes+=("$!")
}
cleanup() {
    ((${#lanes[@]} == 0)) || kill -TERM -- "${lanes[@]/#/-}" 2>/dev/null || true
    wait
    rm -rf "${fuzzing:-}"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

echo "== layers"
scripts/check-layers.sh

jobs=$(nproc)
# build PRESET [CMAKE_OPTIONS...]
build() {
    echo "== build: $1"
    cmake --preset "$1" "${@:2}" >/dev/null
    cmake --build --preset "$1" -j "$jobs"
}
# The build that ships is signed, with a throwaway certificate made once in its build tree. The
# 32-bit suites, the slowest part under emulation, start as soon as their build and the Linux
# report command they compare with are there.
build native
signing=$PWD/build/windows-i686/test-signing
export QUILLMARTEN_SIGN_PASSWORD=throwaway
scripts/make-test-certificate.sh "$signing"
build windows-i686 -DQUILLMARTEN_SIGN_PKCS12="$signing/signing.p12"
lane build/windows-i686 "run drills viewer installer" scripts/in-win32-root.sh
build sanitize
build fuzz
build windows-x86_64
lane build/windows-x86_64 "run drills viewer scale installer metrics"

echo "== unit tests"
ctest --preset native -j "$jobs"

echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ctest --preset sanitize -j "$jobs"

echo "== fuzzing the start of metering for a minute"
# New inputs go to a directory of their own; the seeds in the repository stay as they are.
fuzzing=$(mktemp -d)
mkdir "$fuzzing/found"
if ! build/fuzz/tests/fuzz/start_path_fuzzer -max_len=4096 -max_total_time=60 \
    "$fuzzing/found" tests/fuzz/corpus >"$fuzzing/log" 2>&1; then
    tail -n 40 "$fuzzing/log"
    exit 1
fi
grep -E "^Done" "$fuzzing/log"

echo "== executables of both Windows builds"
scripts/check-shipped-exe.sh build/windows-i686
scripts/check-shipped-exe.sh build/windows-x86_64

echo "== signatures of the 32-bit programs and package"
scripts/check-signatures.sh build/windows-i686 "$signing/ca.pem"

echo "== Windows Installer packages"
scripts/check-installer.sh build/windows-i686 x86
scripts/check-installer.sh build/windows-x86_64 x64

echo "== waiting for the end-to-end tests"
status=0
for lane in "${lanes[@]}"; do wait "$lane" || status=1; done
for log in "$logs"/*.log; do
    [[ ! -e $log.failed ]] || { echo "== $log" && cat "$log"; }
done
exit "$status"
