#!/usr/bin/env bash
# Fails when an include crosses the layers the wrong way or files include each other in a circle.
# Layers include downwards only: basics at the bottom; the Win32 platform helpers on it; the log
# file on those; metering on the log file; the service and the desktop on metering, never each
# other; the history on the log file; the report command on the history; the viewer on all but
# the service; programs/ wires everything. Only the Win32 files (win32_*) and programs/ may
# include the Windows headers.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A may_include=(
    [basics]="basics"
    [platform]="basics platform"
    [log_file]="basics platform log_file"
    [metering]="basics platform log_file metering"
    [service]="basics platform log_file metering service"
    [desktop]="basics platform log_file metering desktop"
    [history]="basics log_file history"
    [report]="basics log_file history report"
    [viewer]="basics platform log_file metering history report desktop viewer"
)
windows_headers='<(windows|commctrl|shellapi|shlobj|commdlg|winsvc|winreg)\.h>'

failures=0
for layer in "${!may_include[@]}"; do
    [[ -d $layer ]] || { echo "layers: no folder $layer"; exit 1; }
    while IFS=: read -r file line text; do
        target=$(sed -n 's/^#include "\([a-z_0-9]*\)\/.*/\1/p' <<<"$text")
        if [[ -z $target && $text != *'"quillmarten_version.h"'* ]]; then
            echo "$file:$line: include from the project's root, as layer/file.h: $text"
            failures=$((failures + 1))
        elif [[ -n $target && " ${may_include[$layer]} " != *" $target "* ]]; then
            echo "$file:$line: $layer may not include $target: $text"
            failures=$((failures + 1))
        fi
        if [[ $(basename "$file") != win32_* ]] && grep -Eq "$windows_headers" <<<"$text"; then
            echo "$file:$line: only win32_* files include Windows headers: $text"
            failures=$((failures + 1))
        fi
    done < <(grep -n '^#include "' -r "$layer" --include='*.h' --include='*.cpp' || true)
done

# Each file's header and source count as one unit; tsort names the units of any circle.
loops=$(for layer in "${!may_include[@]}" programs; do
    grep -o '^#include "[a-z_0-9]*/[a-z_0-9]*\.h"' -r "$layer" --include='*.h' --include='*.cpp' |
        sed 's/\.\(h\|cpp\):#include "/ /; s/\.h"$//'
done | awk '$1 != $2' | tsort 2>&1 >/dev/null | grep -v '^tsort: -: input contains a loop:$' || true)
if [[ -n $loops ]]; then
    echo "layers: files include each other in a circle:"
    echo "$loops"
    failures=$((failures + 1))
fi

if ((failures)); then
    echo "layers: $failures faults"
    exit 1
fi
echo "layers: every include points down, and none runs in a circle"
