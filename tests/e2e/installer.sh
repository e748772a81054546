#!/usr/bin/env bash
# Drives the build's Windows Installer package under Wine's msiexec, silently, as a deployment
# tool would: the refusal of an old Windows, install, the viewer at log-on, an upgrade, removal,
# the taking over of a service that "Quillmarten.exe /i" registered, a setting kept across an
# upgrade and a repair; against the service manager, the registry, the files and the log's bytes.
# Each run's verbose log stays in the work directory (E2E_KEEP=1).
# Usage: tests/e2e/installer.sh BUILD_DIR   (a windows-x86_64 or windows-i686 build directory)
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup "${1:?usage: installer.sh BUILD_DIR}"
# The x86 package installs as on 64-bit Windows: in Program Files (x86), its values under
# HKLM\Software in the registry's 32-bit view.
arch=x64 view=/reg:64
((E2E_BITS == 64)) || arch=x86 view=/reg:32
package=$(ls "$build"/installer/Quillmarten-*-$arch.msi) || e2e_fail "no package in $build/installer"
version=$(basename "$package" -$arch.msi) && version=${version#Quillmarten-}
newer=${version%.*}.$((${version##*.} + 1))
folder="C:\\$E2E_PROGRAM_FILES\\Quillmarten" program_dir="$WINEPREFIX/drive_c/$E2E_PROGRAM_FILES/Quillmarten"
log_file=$program_dir/Quillmarten.dat
run_key='Software\Microsoft\Windows\CurrentVersion\Run'

# installs_silently NAME ARGUMENTS...: msiexec /qn ends by itself with 0 and leaves no window
# behind; its verbose log in C:\NAME.log, Wine's warnings in $E2E_DIR/NAME.warnings.
installs_silently() {
    WINEDEBUG=warn+msi timeout -k 5 300 "$E2E_WINE" msiexec "${@:2}" /qn /l*v "C:\\$1.log" \
        >/dev/null 2>"$E2E_DIR/$1.warnings" && [[ $(window_count '#32770') == 0 ]]
}

# The products registered for removal as "Quillmarten", one line each: "CODE VERSION".
products() {
    registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s "$view" | awk '
        /^HKEY_/ { key = $0; sub(/.*\\/, "", key); name = ""; version = "" }
        $1 == "DisplayName" { name = $3 } $1 == "DisplayVersion" { version = $3 }
        /^$/ && name == "Quillmarten" { print key, version; name = "" }'
}
one_product() { [[ $(products | wc -l) == 1 && $(products) == *" $1" ]]; }

programs_in_place() {
    local program
    for program in "$build"/programs/*/*.exe; do cmp "$program" "$program_dir/${program##*/}" || return; done
}
# Wine's msi stops the service without waiting for its process to end, then cannot delete the
# program in use ('failed to delete L"...Quillmarten.exe" (5)') and leaves it; Windows Installer
# waits. So Quillmarten.exe may stay behind after removal NAME, but only when Wine said so.
programs_removed() {
    local left && left=$(find "$program_dir" -name '*.exe' -printf '%f')
    [[ -z $left ]] || { [[ $left == Quillmarten.exe ]] &&
        grep -qF "failed to delete L\"${folder//\\/\\\\}\\\\Quillmarten.exe\"" "$E2E_DIR/$1.warnings"; }
}

# The Start menu's shortcut, where the install log puts ProgramMenuFolder: Wine takes the user's
# Start menu even for a package for all users, where Windows takes the all-users one.
shortcut() {
    local menu && menu=$(tr -d '\r' <"$WINEPREFIX/drive_c/install.log" |
        sed -n 's/^Property(S): ProgramMenuFolder = C:\\//p' | tr '\\' /)
    echo "$WINEPREFIX/drive_c/${menu}Quillmarten Viewer.lnk"
}
# The link keeps its target's full path as ANSI text.
shortcut_to_viewer() { tr -c '[:print:]' '\n' <"$(shortcut)" | grep -qxF "$folder\\QuillmartenView.exe"; }

# Wine's msi writes the program's path bare, as Windows Installer does; the service, once started,
# quotes it as "/i" does.
registered_as_by_i() { registered_as "\"$folder\\Quillmarten.exe\""; }
# The viewer's Run value for all users, or its absence.
run_value() { registry "HKLM\\$run_key" /v "Quillmarten Viewer" "$view"; }
run_value_is_viewer() { grep -qxF "    Quillmarten Viewer    REG_SZ    \"$folder\\QuillmartenView.exe\"" <<<"$(run_value)"; }
no_service() { [[ -z $(service_state) ]] && ! registry "$service_key" >/dev/null; }

cp "$package" "$WINEPREFIX/drive_c/Quillmarten-$version-$arch.msi"
"$E2E_REPO/installer/make-package.sh" "$build" "$arch" "$newer" "$(cat /proc/sys/kernel/random/uuid)" \
    "$WINEPREFIX/drive_c/Quillmarten-$newer-$arch.msi" || e2e_fail "no package of version $newer"

section "Windows XP is refused"
# As Windows XP (5.2) Wine reports VersionNT 502. With the basic interface Wine's msiexec shows
# the launch condition's message in a box (with /qn it writes it nowhere, where Windows logs it).
"$E2E_WINE" reg add 'HKCU\Software\Wine' /v Version /d winxp64 /f >/dev/null 2>&1
WINEDEBUG=-all timeout -k 5 300 "$E2E_WINE" msiexec /i "C:\\Quillmarten-$version-$arch.msi" /qb >/dev/null 2>&1 &
shown=$(wait_for 60 e2e_helper msgbox "Install Failed" 2>/dev/null)
wait $!
status=$?
"$E2E_WINE" reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1
# Linux keeps the low byte of Windows' exit code 1603, "fatal error during installation".
check "msiexec says that Quillmarten needs Windows Vista, ends with 1603 and installs nothing" eval \
    '[[ $shown == "Quillmarten needs Windows Vista or a later version of Windows." ]] &&
    [[ $status == $((1603 % 256)) ]] && no_service && [[ ! -e $program_dir && -z $(products) ]]'

section "silent install of $version"
check "msiexec /i /qn ends with 0 and shows no window" installs_silently install /i "C:\\Quillmarten-$version-$arch.msi"
check "the service is running" wait_for 20 service_is RUNNING
check "and its log grows" eval 'wait_for 10 test -s "$log_file" && log_grows'
check "the service is registered as \"/i\" registers it" registered_as_by_i
# Wine keeps no failure actions: its service manager only says what it was given.
check "sc.exe set the service to restart after a failure" grep -q \
    'fixme:service:svcctl_ChangeServiceConfig2W SERVICE_CONFIG_FAILURE_ACTIONS not implemented: period 86400 ' \
    "$E2E_WINE_LOG"
check "the three programs are in $folder" programs_in_place
check "the Start menu has a shortcut to the viewer" shortcut_to_viewer
check "the viewer starts at every user's log-on" run_value_is_viewer
check "one product is registered, of version $version" one_product "$version"

section "the viewer at log-on beside its per-user value"
# As the viewer's own "Start with Windows" writes it; at log-on Windows starts both values'
# commands. Wine runs no Run values by itself, so they are started here, together.
"$E2E_WINE" reg add "HKCU\\$run_key" /v "Quillmarten Viewer" /d "\"$folder\\QuillmartenView.exe\"" /f >/dev/null 2>&1
viewers=()
for hive in HKLM HKCU; do
    command=$(registry "$hive\\$run_key" /v "Quillmarten Viewer" "$view" |
        sed -n 's/^    Quillmarten Viewer    REG_SZ    "\(.*\)"$/\1/p')
    WINEDEBUG=-all "$E2E_WINE" "$command" >>"$E2E_DIR/viewer.out" 2>&1 &
    viewers+=($!)
done
one_left() { [[ $(for pid in "${viewers[@]}"; do kill -0 "$pid" 2>/dev/null && echo; done | wc -l) == 1 ]]; }
check "both values start one viewer: the second start ends, one window stays" eval 'wait_for 20 windows_exist \
    QuillmartenViewer && wait_for 10 one_left && sleep 2 && one_left && [[ $(window_count QuillmartenViewer) == 1 ]]'
kill "${viewers[@]}" 2>/dev/null
wait "${viewers[@]}" 2>/dev/null
wait_for 10 program_gone QuillmartenView.exe

section "upgrade to $newer"
first_start=$(record_start "$log_file" 1)
check "msiexec /i of the newer package ends with 0 and shows no window" \
    installs_silently upgrade /i "C:\\Quillmarten-$newer-$arch.msi"
check "one product is registered, of version $newer" one_product "$newer"
check "the service is running again" wait_for 20 service_is RUNNING
check "the old session kept its start; a new session follows behind a gap of zeros" wait_for 10 eval \
    '[[ $(record_start "$log_file" 1) == "$first_start" ]] && head -c 40 "$log_file" >"$E2E_DIR/upgraded.dat" &&
        holds_before_then_record "$E2E_DIR/upgraded.dat" 3'
check "the old session's bytes stand still while the new one grows" \
    eval 'log_grows && holds_before_then_record "$E2E_DIR/upgraded.dat" 3'
check "the service is registered as before" registered_as_by_i
check "the programs and the viewer's Run value are in place" eval 'programs_in_place && run_value_is_viewer'

section "silent removal"
check "msiexec /x /qn ends with 0 and shows no window" installs_silently remove /x "C:\\Quillmarten-$newer-$arch.msi"
check "the service is gone and its process ended" eval 'no_service && wait_for 10 program_gone'
check "the programs are gone" programs_removed remove
check "the shortcut is gone" eval '[[ ! -e $(shortcut) ]]'
check "the all-users Run value is gone; the user's own stays" eval \
    '! run_value >/dev/null && registry "HKCU\\$run_key" /v "Quillmarten Viewer"'
check "no product is registered" test -z "$(products)"
cp "$log_file" "$E2E_DIR/removed.dat" && sleep 2
check "the log stays, all three records, and nothing writes it" eval \
    '[[ $(stat -c %s "$log_file") == 120 ]] && record_is_valid "$log_file" 3 && cmp "$E2E_DIR/removed.dat" "$log_file"'

section "a service registered by \"/i\" is taken over; VIEWERATLOGON=0"
install_in Quillmarten
start_service
check "msiexec /i /qn ends with 0 and shows no window" installs_silently take-over \
    /i "C:\\Quillmarten-$version-$arch.msi" VIEWERATLOGON=0
check "one service, the package's, running" eval 'wait_for 20 service_is RUNNING && registered_as_by_i'
check "the log goes on: a new session behind a gap" wait_for 10 eval \
    '[[ $(stat -c %s "$log_file") == 280 ]] && record_is_valid "$log_file" 7 && log_grows'
check "the viewer does not start at log-on" eval '! run_value >/dev/null'
check "one product is registered, of version $version" one_product "$version"

section "VIEWERATLOGON=0 outlasts an upgrade; a repair takes the value given to it"
check "msiexec /i of the newer package without VIEWERATLOGON ends with 0" \
    installs_silently keep /i "C:\\Quillmarten-$newer-$arch.msi"
check "one product, of version $newer; the viewer still does not start at log-on" \
    eval 'one_product "$newer" && ! run_value >/dev/null'
# Wine's msiexec /f finds no product by its package's path (1605); /i with REINSTALL repairs too.
check "a repair with VIEWERATLOGON=1 ends with 0; the viewer starts at log-on again" eval 'installs_silently repair \
    /i "C:\\Quillmarten-$newer-$arch.msi" REINSTALL=ALL REINSTALLMODE=omus VIEWERATLOGON=1 && run_value_is_viewer'
check "msiexec /x /qn removes it" eval 'installs_silently remove-again /x "C:\\Quillmarten-$newer-$arch.msi" &&
    wait_for 10 no_service && wait_for 10 program_gone && programs_removed remove-again &&
    test -s "$log_file"'

section "another program holds the single-instance name while the package installs"
# Any program may take the name first; the installed service must start all the same, quote its
# path in the service manager's own configuration, and the viewer find its log.
own_instance_name || e2e_fail "the single-instance name could not be taken"
check "msiexec /i /qn ends with 0" installs_silently held /i "C:\\Quillmarten-$version-$arch.msi"
check "the service runs and its log grows" eval 'wait_for 20 service_is RUNNING && log_grows'
check "the service manager starts it from its quoted path (sc qc)" \
    test "$(e2e_helper command Quillmarten)" = "\"$folder\\Quillmarten.exe\""
disown_instance_name
start_viewer
check "the viewer's caption shows the installed log's total" \
    wait_for 20 within_caption_totals 2 caption_total QuillmartenViewer

summary
