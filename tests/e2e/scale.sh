#!/usr/bin/env bash
# What a person sees on a screen of 144 dpi (Wine's LogPixels): the service's window and list,
# the about window and the viewer, each with no text cut off; keeps their screenshots in
# build/e2e-artifacts (*-144.png). run.sh and viewer.sh check the same at 96 dpi.
# Usage: tests/e2e/scale.sh BUILD_DIR   (the windows-x86_64 build directory)
set -uo pipefail
export E2E_DPI=144
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "${1:?usage: scale.sh BUILD_DIR}"

install_in "Quill Scale" viewer
start_service
check "the service's window appears, one and a half times its size" wait_for 20 eval \
    '[[ $(e2e_helper find QuillmartenHourMeter) =~ visible=1\ .*client=([0-9]+)x156\  ]] && ((BASH_REMATCH[1] >= 541))'
sleep 1.5
check "its list shows every column whole" columns_fit QuillmartenHourMeter
keep_window QuillmartenHourMeter main-window-144.png
check "the about window shows its product line and both links whole" \
    eval 'choose_tray_item 0 0 1 && wait_for 10 windows_exist QuillmartenInfo && sleep 1 && labels_show_whole QuillmartenInfo 3'
keep_window QuillmartenInfo about-window-144.png
e2e_helper close QuillmartenInfo
e2e_helper close QuillmartenHourMeter

check "the viewer's window appears" open_viewer
check "its list shows every column whole" columns_fit QuillmartenViewer 4
keep_window QuillmartenViewer viewer-window-144.png

summary
