#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Quillmarten five ways and runs every test: the layer
# check, the unit tests natively and under AddressSanitizer and UndefinedBehaviorSanitizer, a
# minute of fuzzing the start of metering, checks of the shipped 32-bit executables and of both
# Windows Installer packages' tables, and the end-to-end tests that drive the 64-bit build
# under Wine, the viewer's and the package's included.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-debian.sh

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

echo "== Windows Installer packages"
scripts/check-installer.sh build/windows-i686 x86
scripts/check-installer.sh build/windows-x86_64 x64

echo "== end-to-end tests under Wine"
tests/e2e/run.sh build/windows-x86_64

echo "== fault drills under Wine"
tests/e2e/drills.sh build/windows-x86_64

echo "== the viewer under Wine, beside the service"
tests/e2e/viewer.sh build/windows-x86_64

echo "== the Windows Installer package under Wine: install, upgrade, removal"
tests/e2e/installer.sh build/windows-x86_64
