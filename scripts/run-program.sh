#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Quillmarten and runs it under Wine as the service
# "Quillmarten", installed in "C:\Program Files\Quillmarten" of a Wine prefix of the project's own
# (build/wine-run/prefix, kept between runs with its log file). It uses your X display, or a
# virtual one when there is none; then it takes a screenshot, says where it is, and stops.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake --preset windows-x86_64 >/dev/null
cmake --build --preset windows-x86_64 -j "$(nproc)"

export E2E_HELPER=$PWD/build/windows-x86_64/tests/e2e/helper/e2ehelper.exe
source tests/e2e/lib.sh
E2E_KEEP=1
E2E_DIR=$PWD/build/wine-run
screenshot=$PWD/build/quillmarten-screenshot.png
program_dir="$E2E_DIR/prefix/drive_c/Program Files/Quillmarten"

mkdir -p "$E2E_DIR"
trap e2e_cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
headless=0
if [[ -z ${DISPLAY:-} ]] || ! timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1; then
    headless=1
    e2e_start_xvfb
fi
if [[ -d $E2E_DIR/prefix ]]; then
    export WINEPREFIX=$E2E_DIR/prefix WINEARCH=win64 WINEDEBUG=-all
else
    e2e_make_prefix
fi
e2e_start_desktop
mkdir -p "$program_dir"
cp build/windows-x86_64/programs/quillmarten/Quillmarten.exe "$program_dir/"

if [[ -z $(service_state) ]]; then
    e2e_helper launch 60 '"C:\Program Files\Quillmarten\Quillmarten.exe" /i' >/dev/null &
    installer=$!
    e2e_log "$(wait_for 30 e2e_helper msgbox Quillmarten 2>/dev/null)"
    wait "$installer"
fi
"$E2E_WINE" sc start Quillmarten >/dev/null 2>&1 || true
wait_for 30 service_is RUNNING || e2e_fail "the service did not start"
e2e_log "Quillmarten runs as a service; its log is $program_dir/Quillmarten.dat"
sleep 3
e2e_screenshot "$screenshot"

if ((headless)); then
    e2e_log "no display: the screenshot of its virtual one is $screenshot"
else
    e2e_log "its green icon is at the bottom right of the Wine desktop: double-click it to show"
    e2e_log "or hide the window, right-click it for Info. Press Enter to stop the service."
    read -r _ || true
fi
stop_service || true
