#!/usr/bin/env bash
# Checks the executables of a Windows build directory, the 32-bit one that ships or the 64-bit one:
# Windows programs of the build's bitness that need no runtime DLL beside them, carry no symbols,
# carry their version, resources and a manifest that runs them as their user (asInvoker), and the
# marks admins' scanners look for: ASLR (high-entropy on x64), DEP, aware of terminal servers, no
# SEH handlers on i686, and Windows 6.0 (Vista) as the floor of both the subsystem and the system.
# Usage: scripts/check-shipped-exe.sh build/windows-i686|build/windows-x86_64
set -euo pipefail
build=${1:?usage: check-shipped-exe.sh BUILD_DIR}
version=$(sed -n 's/^project(Quillmarten VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")
allowed="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
oleacc.dll oleaut32.dll shell32.dll user32.dll version.dll"
fail() {
    echo "check-shipped-exe: $*" >&2
    exit 1
}

# The build's bitness from the PE machine field of the service (0x014c: i386).
service=$build/programs/quillmarten/Quillmarten.exe
header=$(od -An -tu4 -j60 -N4 "$service") || fail "missing $service"
if [[ $(od -An -tx2 -j$((header + 4)) -N2 "$service") == " 014c" ]]; then
    objdump=i686-w64-mingw32-objdump format="pei-i386" magic="010b.*PE32\)" marks="NO_SEH"
else
    objdump=x86_64-w64-mingw32-objdump format="pei-x86-64" magic="020b.*PE32\+" marks="HIGH_ENTROPY_VA"
fi
marks+=" DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE"

# check EXE SUBSYSTEM DESCRIPTION RESOURCE_TYPE...: resource types at the top of the resource
# directory, for example 0x000010 for the version.
check() {
    local exe=$1 subsystem=$2 description=$3 headers imports type types mark field
    shift 3
    headers=$("$objdump" -p "$exe")
    grep -q "file format $format" <<<"$headers" || fail "$exe: not of the format $format"
    grep -Eq "^Magic.*$magic" <<<"$headers" || fail "$exe: not of the magic $magic"
    grep -Eq "Subsystem.*\($subsystem\)" <<<"$headers" || fail "$exe: not a $subsystem program"
    for mark in $marks; do
        grep -Pq "^\t+$mark$" <<<"$headers" || fail "$exe: not marked $mark"
    done
    for field in MajorSubsystemVersion:6 MinorSubsystemVersion:0 MajorOSystemVersion:6 \
        MinorOSystemVersion:0; do
        grep -Pq "^${field%:*}\t+${field#*:}$" <<<"$headers" || fail "$exe: ${field%:*} is not ${field#*:}"
    done
    [[ -z $("$objdump" -h "$exe" | grep -E "\.debug|\.stab") ]] || fail "$exe: carries debug data"
    imports=$(grep "DLL Name:" <<<"$headers" | awk '{print tolower($3)}' | sort -u)
    for dll in $imports; do
        [[ " $(echo $allowed) " == *" $dll "* ]] || fail "$exe: imports $dll, not part of Windows"
    done
    strings -el "$exe" | grep -qx "$description" || fail "$exe: no file description $description"
    strings -el "$exe" | grep -qxF "$version" || fail "$exe: no version $version"
    grep -qF 'requestedExecutionLevel level="asInvoker"' <(strings -a "$exe") ||
        fail "$exe: no manifest that runs it as its user"
    types=$(awk '/Resource Directory section/ {on = 1} on && /^[0-9a-f]+   Entry: ID:/ {print $4}' \
        <<<"$headers")
    for type in "$@"; do
        grep -qx "$type," <<<"$types" || fail "$exe: no resource of type $type"
    done
    echo "$exe: $format $subsystem, $(stat -c %s "$exe") bytes, imports: $(echo $imports);" \
        "marked $(echo $marks), Windows 6.0"
}

# Bitmap, message table, cursor and icon groups, version, manifest.
check "$service" "Windows GUI" Quillmarten 0x000002 0x00000b 0x00000c 0x00000e 0x000010 0x000018
# Version, manifest.
check "$build/programs/report/quillmarten-report.exe" "Windows CUI" "Quillmarten report" \
    0x000010 0x000018
# Bitmap, cursor and icon groups, version, manifest.
check "$build/programs/viewer/QuillmartenView.exe" "Windows GUI" "Quillmarten Viewer" \
    0x000002 0x00000c 0x00000e 0x000010 0x000018
