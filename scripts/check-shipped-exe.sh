#!/usr/bin/env bash
# Checks the executable that ships: a 32-bit Windows GUI program that needs no runtime DLL
# beside it and carries its version, pictures and event-log message table.
set -euo pipefail
exe=${1:?usage: check-shipped-exe.sh Quillmarten.exe}
headers=$(i686-w64-mingw32-objdump -p "$exe")
fail() { echo "check-shipped-exe: $*" >&2; exit 1; }

grep -q "file format pei-i386" <<<"$headers" || fail "not a 32-bit (i386) PE file"
grep -q "Magic.*010b.*PE32" <<<"$headers" || fail "not PE32"
grep -Eq "Subsystem.*\(Windows GUI\)" <<<"$headers" || fail "not a GUI program"
imports=$(grep "DLL Name:" <<<"$headers" | awk '{print tolower($3)}' | sort -u)
allowed="advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll version.dll"
for dll in $imports; do
    [[ " $allowed " == *" $dll "* ]] || fail "imports $dll, which does not come with Windows"
done
strings -el "$exe" | grep -q "^Quillmarten$" || fail "no file description"
strings -el "$exe" | grep -q "^1.0.0.45$" || fail "no version 1.0.0.45"
# Resource types at the top of the resource directory: bitmap, message table, cursor and icon
# groups, version, manifest.
types=$(awk '/Resource Directory section/ {on = 1} on && /^[0-9a-f]+   Entry: ID:/ {print $4}' \
    <<<"$headers")
for type in 0x000002 0x00000b 0x00000c 0x00000e 0x000010 0x000018; do
    grep -qx "$type," <<<"$types" || fail "no resource of type $type"
done
echo "$exe: PE32 i386 GUI, imports: $(echo $imports | tr '\n' ' ')"
