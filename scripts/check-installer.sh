#!/usr/bin/env bash
# Checks the Windows Installer package of a Windows build directory, table by table (msiinfo,
# msiextract from msitools): its name and version from the project's version, its platform, the
# programs of this build, the service as "Quillmarten.exe /i" registers it, the upgrade of
# older versions, the shortcut, the viewer's all-users Run value and the service's metrics folder
# with their conditions.
# Usage: scripts/check-installer.sh BUILD_DIR x86|x64
set -euo pipefail
usage="usage: check-installer.sh BUILD_DIR x86|x64"
build=$(cd "${1:?$usage}" && pwd) arch=${2:?$usage}
cd "$(dirname "$0")/.."
failures=0
fail() {
    echo "check-installer: $package: $*" >&2
    failures=$((failures + 1))
}

# The version in the top CMakeLists.txt, A.B.C.D, is the A.B.D that the programs show.
version=$(sed -n 's/^project(Quillmarten VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt |
    awk -F. '{ print $1 "." $2 "." $4 }')
package=$build/installer/Quillmarten-$version-$arch.msi
[[ -f $package ]] || { echo "check-installer: no $package" >&2 && exit 1; }
case $arch in
x86) template="Intel;1033" program_files=ProgramFilesFolder win64=0 ;;
x64) template="x64;1033" program_files=ProgramFiles64Folder win64=256 ;;
*) echo "check-installer: unknown platform $arch" >&2 && exit 2 ;;
esac

# rows TABLE: the table's rows, tab-separated, without msiinfo's three header lines.
rows() { msiinfo export "$package" "$1" | tail -n +4 | tr -d '\r'; }
# has_row TABLE TAB-SEPARATED-ROW
has_row() { rows "$1" | grep -qxF "$2"; }
property() { rows Property | awk -F'\t' -v name="$1" '$1 == name { print $2 }'; }
expect_row() { has_row "$1" "$2" || fail "no $1 row \"$2\""; }
# expect_registry ROOT-KEY-NAME-VALUE-COMPONENT: a Registry row, whatever its generated key.
expect_registry() { rows Registry | cut -f2- | grep -qxF "$1" || fail "no Registry row \"$1\""; }

[[ $(msiinfo suminfo "$package" | sed -n 's/^Template: //p') == "$template" ]] ||
    fail "platform is not $template"
[[ $(property ProductVersion) == "$version" ]] || fail "product version is not $version"
[[ $(property ALLUSERS) == 1 ]] || fail "not installed for all users"

# The programs of this build, in [ProgramFilesFolder]Quillmarten.
expect_row Directory "INSTALLDIR	$program_files	Quillmarten"
extracted=$(mktemp -d)
trap 'rm -rf "$extracted"' EXIT
(cd "$extracted" && msiextract "$package" >/dev/null)
for program in programs/quillmarten/Quillmarten.exe programs/viewer/QuillmartenView.exe programs/report/quillmarten-report.exe; do
    name=$(basename "$program")
    found=$(find "$extracted" -type f -name "$name")
    [[ $found == */Quillmarten/$name ]] && cmp -s "$found" "$build/$program" ||
        fail "does not install this build's $name in Quillmarten"
done
components=$(rows Component)
[[ $(awk -F'\t' -v bit="$win64" '$4 % 512 - $4 % 256 != bit' <<<"$components") == "" ]] ||
    fail "components are not all of the $arch platform"

# The service, registered as "/i" does: own process that interacts with the desktop (0x110),
# automatic start, normal error control, LocalSystem, the quoted path of the key file.
expect_row ServiceInstall "Service	Quillmarten	Quillmarten	272	2	1						Service	Meters how long this computer is in use, session by session."
awk -F'\t' '$1 == "Service" && $6 == "Quillmarten.exe"' <<<"$components" | grep -q . ||
    fail "the service's component is not keyed on Quillmarten.exe"
# Started on install (1); stopped (2, 32) and deleted (8, 128) on install and on removal, so that
# a service "/i" registered before is replaced; waiting for each.
expect_row ServiceControl "Service	Quillmarten	171		1	Service"
expect_registry "2	SYSTEM\CurrentControlSet\Services\Quillmarten\Parameters	TimerInterval	1000	Service"
source_key='SYSTEM\CurrentControlSet\Services\EventLog\Application\Quillmarten'
# "#%": a REG_EXPAND_SZ, as "/i" writes it.
expect_registry "2	$source_key	EventMessageFile	#%[#Quillmarten.exe]	Service"
expect_registry "2	$source_key	TypesSupported	#7	Service"

# A newer version finds and removes this one: the upgrade code it is registered under, every
# version before this one.
upgrade_code=$(property UpgradeCode)
expect_row Upgrade "$upgrade_code		$version		1		WIX_UPGRADE_DETECTED"
rows InstallExecuteSequence | grep -q '^RemoveExistingProducts	' || fail "removes no older version"

# The viewer: a Start menu shortcut, and the all-users Run value unless VIEWERATLOGON=0.
expect_row Shortcut "ViewerShortcut	ProgramMenuFolder	Quillmarten Viewer	Viewer	[#QuillmartenView.exe]		Shows the sessions of the Quillmarten service					INSTALLDIR				"
[[ $(property VIEWERATLOGON) == 1 ]] || fail "the viewer does not start at log-on by default"
[[ ";$(property SecureCustomProperties);" == *";VIEWERATLOGON;"* ]] ||
    fail "VIEWERATLOGON is not a secure property: a managed installation would drop it"
expect_registry '2	Software\Microsoft\Windows\CurrentVersion\Run	Quillmarten Viewer	"[#QuillmartenView.exe]"	ViewerAtLogOn'
awk -F'\t' '$1 == "ViewerAtLogOn" { print $5 }' <<<"$components" | grep -qxF 'VIEWERATLOGON = "1"' ||
    fail "the Run value's component is not conditioned on VIEWERATLOGON = \"1\""

# METRICSFOLDER, when given, is the service's MetricsFolder.
[[ ";$(property SecureCustomProperties);" == *";METRICSFOLDER;"* ]] ||
    fail "METRICSFOLDER is not a secure property: a managed installation would drop it"
expect_registry '2	SYSTEM\CurrentControlSet\Services\Quillmarten\Parameters	MetricsFolder	[METRICSFOLDER]	MetricsFolder'
awk -F'\t' '$1 == "MetricsFolder" { print $5 }' <<<"$components" | grep -qxF 'METRICSFOLDER' ||
    fail "the metrics folder's component is not conditioned on METRICSFOLDER"

if ((failures)); then
    echo "check-installer: $package: $failures failed" >&2
    exit 1
fi
echo "$package: $template, version $version, $(stat -c %s "$package") bytes"
