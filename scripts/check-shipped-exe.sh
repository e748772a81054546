#!/usr/bin/env bash
# Checks the executables that ship, in a windows-i686 build directory: 32-bit Windows programs
# that need no runtime DLL beside them, carry no symbols, and carry their version and resources.
# Usage: scripts/check-shipped-exe.sh build/windows-i686
set -euo pipefail
build=${1:?usage: check-shipped-exe.sh BUILD_DIR}
version=$(sed -n 's/^project(Quillmarten VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")
allowed="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
oleacc.dll oleaut32.dll shell32.dll user32.dll version.dll"
fail() {
    echo "check-shipped-exe: $*" >&2
    exit 1
}

# check EXE SUBSYSTEM DESCRIPTION RESOURCE_TYPE...: resource types at the top of the resource
# directory, for example 0x000010 for the version.
check() {
    local exe=$1 subsystem=$2 description=$3 headers imports type types
    shift 3
    headers=$(i686-w64-mingw32-objdump -p "$exe")
    grep -q "file format pei-i386" <<<"$headers" || fail "$exe: not a 32-bit (i386) PE file"
    grep -q "Magic.*010b.*PE32" <<<"$headers" || fail "$exe: not PE32"
    grep -Eq "Subsystem.*\($subsystem\)" <<<"$headers" || fail "$exe: not a $subsystem program"
    [[ -z $(i686-w64-mingw32-objdump -h "$exe" | grep -E "\.debug|\.stab") ]] ||
        fail "$exe: carries debug data"
    imports=$(grep "DLL Name:" <<<"$headers" | awk '{print tolower($3)}' | sort -u)
    for dll in $imports; do
        [[ " $(echo $allowed) " == *" $dll "* ]] || fail "$exe: imports $dll, not part of Windows"
    done
    strings -el "$exe" | grep -qx "$description" || fail "$exe: no file description $description"
    strings -el "$exe" | grep -qxF "$version" || fail "$exe: no version $version"
    types=$(awk '/Resource Directory section/ {on = 1} on && /^[0-9a-f]+   Entry: ID:/ {print $4}' \
        <<<"$headers")
    for type in "$@"; do
        grep -qx "$type," <<<"$types" || fail "$exe: no resource of type $type"
    done
    echo "$exe: PE32 i386 $subsystem, $(stat -c %s "$exe") bytes, imports: $(echo $imports)"
}

# Bitmap, message table, cursor and icon groups, version, manifest.
check "$build/programs/quillmarten/Quillmarten.exe" "Windows GUI" Quillmarten \
    0x000002 0x00000b 0x00000c 0x00000e 0x000010 0x000018
check "$build/programs/report/quillmarten-report.exe" "Windows CUI" "Quillmarten report" 0x000010
# Bitmap, cursor and icon groups, version, manifest.
check "$build/programs/viewer/QuillmartenView.exe" "Windows GUI" "Quillmarten Viewer" \
    0x000002 0x00000c 0x00000e 0x000010 0x000018
