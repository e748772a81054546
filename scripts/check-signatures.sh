#!/usr/bin/env bash
# Checks the Authenticode signatures of a signed Windows build: the three programs and the
# package each carry a SHA-256 signature that osslsigncode verifies against the given CA, and a
# copy of each with one byte changed fails verification for its digest.
# Usage: scripts/check-signatures.sh BUILD_DIR CA_FILE
set -euo pipefail
usage="usage: check-signatures.sh BUILD_DIR CA_FILE"
build=${1:?$usage} ca=${2:?$usage}
changed=$(mktemp)
trap 'rm -f "$changed"' EXIT
failures=0
fail() {
    echo "check-signatures: $*" >&2
    failures=$((failures + 1))
}
verify() { osslsigncode verify -CAfile "$ca" -in "$1" 2>&1; }

# check FILE: fails at the first fault.
check() {
    local answer size
    answer=$(verify "$1") || { fail "$1: not verified: $(tail -n 3 <<<"$answer")" && return; }
    grep -q '^Message digest algorithm *: SHA256$' <<<"$answer" || { fail "$1: not signed with SHA-256" && return; }
    # The middle of the file lies in what the signature covers: the code, or the cabinet.
    cp "$1" "$changed"
    size=$(stat -c %s "$1")
    printf '%b' "\\x$(printf '%02x' $(($(od -An -tu1 -j$((size / 2)) -N1 "$1") ^ 1)))" |
        dd of="$changed" bs=1 seek=$((size / 2)) conv=notrunc status=none
    answer=$(verify "$changed") && { fail "$1: verified with one byte changed" && return; }
    grep -q 'MISMATCH' <<<"$answer" || { fail "$1: a changed byte did not fail on its digest" && return; }
    echo "$1: signed, SHA-256, verified; one byte changed fails"
}
for file in "$build"/programs/{quillmarten/Quillmarten,viewer/QuillmartenView,report/quillmarten-report}.exe \
    "$build"/installer/Quillmarten-*.msi; do
    check "$file"
done
((failures == 0))
