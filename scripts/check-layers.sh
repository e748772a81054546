#!/usr/bin/env bash
# Fails when an include crosses the layers the wrong way. Layers include downwards only:
# metering at the bottom; service and desktop on it, never each other; history on metering;
# the report command and the viewer on those; windows/ wires everything. Only the Win32 files
# (win32_*) and windows/ may include the Windows headers.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A may_include=(
    [metering]="metering"
    [history]="metering history"
    [service]="metering service"
    [desktop]="metering desktop"
    [report]="metering history report"
    [viewer]="metering history report desktop viewer"
)
windows_headers='<(windows|commctrl|shellapi|shlobj|commdlg|winsvc|winreg)\.h>'

failures=0
for layer in "${!may_include[@]}"; do
    [[ -d $layer ]] || continue
    while IFS=: read -r file line text; do
        target=$(sed -n 's/^#include "\([a-z_]*\)\/.*/\1/p' <<<"$text")
        if [[ -n $target && " ${may_include[$layer]} " != *" $target "* ]]; then
            echo "$file:$line: $layer may not include $target: $text"
            failures=$((failures + 1))
        fi
        if [[ $(basename "$file") != win32_* ]] && grep -Eq "$windows_headers" <<<"$text"; then
            echo "$file:$line: only win32_* files include Windows headers: $text"
            failures=$((failures + 1))
        fi
    done < <(grep -n '^#include' -r "$layer" --include='*.h' --include='*.cpp' || true)
done
if ((failures)); then
    echo "layers: $failures wrong includes"
    exit 1
fi
echo "layers: every include points down"
