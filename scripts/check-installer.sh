#!/usr/bin/env bash
# Checks the Windows Installer package of a Windows build directory, table by table (msiinfo,
# msiextract from msitools): its name and version from the project's version, its platform, the
# programs of this build with their file versions, the Windows versions it installs on, the
# service as "Quillmarten.exe /i" registers it with its restarts after a failure, the upgrade of
# older versions, the shortcut, the viewer's all-users Run value and the service's metrics folder
# with their conditions, and VIEWERATLOGON and METRICSFOLDER remembered across upgrades.
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
file_version=$(sed -n 's/^project(Quillmarten VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
version=$(awk -F. '{ print $1 "." $2 "." $4 }' <<<"$file_version")
package=$build/installer/Quillmarten-$version-$arch.msi
[[ -f $package ]] || { echo "check-installer: no $package" >&2 && exit 1; }
case $arch in
x86) template="Intel;1033" program_files=ProgramFilesFolder win64=0 locator=2 system=SystemFolder ;;
x64) template="x64;1033" program_files=ProgramFiles64Folder win64=256 locator=18 system=System64Folder ;;
*) echo "check-installer: unknown platform $arch" >&2 && exit 2 ;;
esac

# rows TABLE: the table's rows, tab-separated, without msiinfo's three header lines.
rows() { msiinfo export "$package" "$1" | tail -n +4 | tr -d '\r'; }
# sequence TABLE ACTION: the action's "CONDITION<tab>NUMBER" in the sequence TABLE.
sequence() { rows "$1" | awk -F'\t' -v action="$2" '$1 == action { print $2 "\t" $3 }'; }
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
expect_row LaunchCondition "Installed OR VersionNT >= 600	Quillmarten needs Windows Vista or a later version of Windows."

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
    # Versioned, as the programs' version resource says, so that upgrades compare versions.
    rows File | awk -F'\t' -v name="$name" '$3 == name { print $5 "\t" $6 }' | grep -qxF "$file_version	1033" ||
        fail "$name is not of version $file_version, language 1033"
done
[[ -z $(rows MsiFileHash) ]] || fail "versioned files carry hashes"
components=$(rows Component)
[[ $(awk -F'\t' -v bit="$win64" '$4 % 512 - $4 % 256 != bit' <<<"$components") == "" ]] ||
    fail "components are not all of the $arch platform"

# The service, registered as "/i" does: own process that interacts with the desktop (0x110),
# automatic start, normal error control (1) whose failure fails the installation (32768),
# LocalSystem, the quoted path of the key file.
expect_row ServiceInstall "Service	Quillmarten	Quillmarten	272	2	32769						Service	Meters how long this computer is in use, session by session."
awk -F'\t' '$1 == "Service" && $6 == "Quillmarten.exe"' <<<"$components" | grep -q . ||
    fail "the service's component is not keyed on Quillmarten.exe"
# Started on install (1); stopped (2, 32) and deleted (8, 128) on install and on removal, so that
# a service "/i" registered before is replaced; waiting for each.
expect_row ServiceControl "Service	Quillmarten	171		1	Service"
# Restarted after a minute on its first and second failure, then left; the count starts anew
# after a day. Run by the platform's sc.exe as the system, deferred (3106), once registered,
# before it starts.
expect_row CustomAction "ServiceRestartsAfterFailure	3106	INSTALLDIR	\"[$system]sc.exe\" failure Quillmarten reset= 86400 actions= restart/60000/restart/60000//0	"
restarts=$(sequence InstallExecuteSequence ServiceRestartsAfterFailure)
[[ ${restarts%	*} == '$Service = 3' ]] &&
    (($(sequence InstallExecuteSequence InstallServices | cut -f2) < ${restarts#*	})) &&
    ((${restarts#*	} < $(sequence InstallExecuteSequence StartServices | cut -f2))) ||
    fail "the service's restarts are not set between its registration and its start"
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
[[ ";$(property SecureCustomProperties);" == *";VIEWERATLOGON;"* ]] ||
    fail "VIEWERATLOGON is not a secure property: a managed installation would drop it"
expect_registry '2	Software\Microsoft\Windows\CurrentVersion\Run	Quillmarten Viewer	"[#QuillmartenView.exe]"	ViewerAtLogOn'
# Transitive (64): a repair weighs the condition anew.
awk -F'\t' '$1 == "ViewerAtLogOn" { print ($4 % 128 >= 64), $5 }' <<<"$components" | grep -qxF '1 VIEWERATLOGON = "1"' ||
    fail "the Run value's component is not conditioned on VIEWERATLOGON = \"1\", weighed anew on a repair"

# VIEWERATLOGON is stored under the product's key and read back by the next installation, in
# the package's registry view; a value on the command line is kept aside before that and put
# back after, then an unset one becomes 1; in both sequences.
expect_registry '2	Software\Brackwater\Quillmarten	VIEWERATLOGON	[VIEWERATLOGON]	Settings'
expect_row AppSearch "VIEWERATLOGON	Remembered.VIEWERATLOGON"
expect_row RegLocator "Remembered.VIEWERATLOGON	2	Software\Brackwater\Quillmarten	VIEWERATLOGON	$locator"
[[ -z $(property VIEWERATLOGON) ]] || fail "VIEWERATLOGON has a default that would hide the remembered one"
expect_row CustomAction "VIEWERATLOGON_Default	51	VIEWERATLOGON	1	"
# METRICSFOLDER is read back from the service's own value, with no default.
expect_row AppSearch "METRICSFOLDER	Remembered.METRICSFOLDER"
expect_row RegLocator "Remembered.METRICSFOLDER	2	SYSTEM\CurrentControlSet\Services\Quillmarten\Parameters	MetricsFolder	$locator"
for remembered in VIEWERATLOGON METRICSFOLDER; do
    expect_row CustomAction "${remembered}_KeepGiven	51	${remembered}_Given	[$remembered]	"
    expect_row CustomAction "${remembered}_PutGivenBack	51	$remembered	[${remembered}_Given]	"
    for table in InstallUISequence InstallExecuteSequence; do
        search=$(sequence "$table" AppSearch | cut -f2)
        [[ $(sequence "$table" "${remembered}_KeepGiven") == "$remembered	$((search - 1))" &&
            $(sequence "$table" "${remembered}_PutGivenBack") == "${remembered}_Given	$((search + 1))" ]] ||
            fail "$table does not keep a given $remembered over the remembered one"
    done
done
for table in InstallUISequence InstallExecuteSequence; do
    search=$(sequence "$table" AppSearch | cut -f2)
    [[ $(sequence "$table" VIEWERATLOGON_Default) == "NOT VIEWERATLOGON	$((search + 2))" ]] ||
        fail "$table does not give VIEWERATLOGON its default"
done

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
