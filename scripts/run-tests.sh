#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Quillmarten three ways and runs every test:
# the unit tests of the native build, checks of the shipped 32-bit executable, and the
# end-to-end tests that drive the 64-bit build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-debian.sh

echo "== layers"
scripts/check-layers.sh

jobs=$(nproc)
for preset in native windows-i686 windows-x86_64; do
    echo "== build: $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

echo "== unit tests"
ctest --preset native -j "$jobs"

echo "== shipped executable"
scripts/check-shipped-exe.sh build/windows-i686/windows/Quillmarten.exe

echo "== end-to-end tests under Wine"
tests/e2e/run.sh build/windows-x86_64
