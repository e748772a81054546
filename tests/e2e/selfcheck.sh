#!/bin/bash
# Checks the end-to-end harness (lib.sh) and its helpers under Wine, using only programs that come
# with Wine, and then that its cleanup leaves nothing behind: no process of the run's prefix, no
# Xvfb, no work directory. Once when the run is stopped with SIGTERM, as a test runner would, and
# once when a step fails after Wine has already gone. Takes about 30 s.
# Usage: tests/e2e/selfcheck.sh   (E2E_TOOLS_DIR as for lib.sh)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
state_file=$(mktemp)
trap 'rm -f "$state_file"' EXIT

fail() {
    echo "selfcheck: FAIL: $*" >&2
    exit 1
}

# The /proc entries of processes whose environment names the prefix.
prefix_processes() {
    local environ
    for environ in /proc/[0-9]*/environ; do
        if tr '\0' '\n' 2>/dev/null <"$environ" | grep -qxF "WINEPREFIX=$1"; then
            echo "${environ%/environ}"
        fi
    done
}

expect_nothing_left() {
    local prefix xvfb dir
    read -r prefix xvfb dir <"$state_file"
    [[ -z $(prefix_processes "$prefix") ]] || fail "processes of $prefix survived"
    ! kill -0 "$xvfb" 2>/dev/null || fail "Xvfb $xvfb survived"
    [[ ! -e $dir ]] || fail "$dir survived"
}

checks_passed() {
    grep -qx passed "$state_file"
}

# run_checks MODE EXPECTED_STATUS: runs selfcheck_checks.sh MODE until its checks have passed,
# stops it with SIGTERM if it is still running then, and expects its exit status.
run_checks() {
    local mode=$1 expected=$2 child status=0
    : >"$state_file"
    timeout 300 "$here/selfcheck_checks.sh" "$mode" "$state_file" &
    child=$!
    while kill -0 "$child" 2>/dev/null && ! checks_passed; do
        sleep 0.5
    done
    if ! checks_passed; then
        wait "$child" || true
        expect_nothing_left
        fail "$mode: the checks failed"
    fi
    [[ $mode == wine-gone ]] || kill -TERM "$child" 2>/dev/null || true
    wait "$child" || status=$?
    [[ $status == "$expected" ]] || fail "$mode: exit status $status, expected $expected"
    expect_nothing_left
    echo "selfcheck: $mode passed, nothing left behind" >&2
}

run_checks checks 143
run_checks wine-gone 1
echo "selfcheck: PASS" >&2
