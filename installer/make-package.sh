#!/usr/bin/env bash
# Builds the Windows Installer package from quillmarten.wxs with wixl, from the programs of a
# Windows build directory, then writes into its tables what wixl 0.101 cannot: the programs'
# file versions, the conditions of the Run value's and the metrics folder's components, the event
# source's REG_EXPAND_SZ type, the service's vital error control and its restarts after a failure,
# and the remembered settings; last, when given a signing command (cmake/sign.sh and its options),
# signs it.
# Usage: installer/make-package.sh BUILD_DIR x86|x64 VERSION PRODUCT_CODE OUTPUT [SIGN_COMMAND...]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: make-package.sh BUILD_DIR x86|x64 VERSION PRODUCT_CODE OUTPUT [SIGN_COMMAND...]}
arch=$2 version=$3 product_code=$4 output=$(realpath -m "$5")
signing=("${@:6}")
# Written beside the output and moved in place whole, so that a failure leaves no package that
# looks finished.
partial=$output.partial
trap 'rm -f "$partial"' EXIT

# wixl finds the files' sources relative to the working directory.
cd "$build"
wixl -a "$arch" -D Arch="$arch" -D Version="$version" -D ProductCode="$product_code" \
    -o "$partial" "$source_dir/quillmarten.wxs"

rows() { msiinfo export "$partial" "$1" | tail -n +4 | tr -d '\r'; }
sequence_of() { rows InstallExecuteSequence | awk -F'\t' -v action="$1" '$1 == action { print $3 }'; }
queries=()
query() { queries+=(-q "$1"); }

# FILE_ID PATH: the version that the program's version resource gives (VS_FIXEDFILEINFO after its
# signature 0xFEEF04BD), so that an upgrade compares the files by version; a versioned file
# carries no hash.
versioned_file() {
    local at numbers
    at=$(LC_ALL=C grep -obUaP '\xbd\x04\xef\xfe' "$2" | head -n 1 | cut -d: -f1)
    [[ -n $at ]] || { echo "make-package: $2 has no version resource" >&2 && return 1; }
    numbers=$(od -An -tu2 -j$((at + 8)) -N8 "$2" | awk '{ print $2 "." $1 "." $4 "." $3 }')
    query "UPDATE \`File\` SET \`Version\` = '$numbers', \`Language\` = '1033' WHERE \`File\` = '$1'"
    query "DELETE FROM \`MsiFileHash\` WHERE \`File_\` = '$1'"
}
versioned_file Quillmarten.exe programs/quillmarten/Quillmarten.exe
versioned_file QuillmartenView.exe programs/viewer/QuillmartenView.exe
versioned_file quillmarten_report.exe programs/report/quillmarten-report.exe

# Transitive (64): a repair weighs the condition anew, so that VIEWERATLOGON given to it counts.
query "UPDATE \`Component\` SET \`Condition\` = 'VIEWERATLOGON = \"1\"',
    \`Attributes\` = $(($(rows Component | awk -F'\t' '$1 == "ViewerAtLogOn" { print $4 }') | 64))
    WHERE \`Component\` = 'ViewerAtLogOn'"
query "UPDATE \`Registry\` SET \`Value\` = '#%[#Quillmarten.exe]' WHERE \`Name\` = 'EventMessageFile'"

# Normal error control (1), vital (32768): the installation fails when the service cannot be
# registered, where it would otherwise only warn.
query "UPDATE \`ServiceInstall\` SET \`ErrorControl\` = 32769 WHERE \`ServiceInstall\` = 'Service'"
# After a failure the service manager restarts the service after a minute, once more after
# another minute, then leaves it; a day without failure starts the count anew. Windows
# Installer's own table for this is documented not to work, so sc.exe sets it, as the system
# (3106: an executable run from a folder, deferred, not impersonating), once the service is
# registered and before it starts, whenever the component is installed or repaired; the sc.exe of
# the package's own platform.
system=SystemFolder
[[ $arch == x86 ]] || system=System64Folder
query "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`)
    VALUES ('ServiceRestartsAfterFailure', 3106, 'INSTALLDIR',
    '\"[$system]sc.exe\" failure Quillmarten reset= 86400 actions= restart/60000/restart/60000//0')"
query "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`)
    VALUES ('ServiceRestartsAfterFailure', '\$Service = 3', $(($(sequence_of InstallServices) + 1)))"

# remember PROPERTY [DEFAULT]: the setting that AppSearch reads back from the product's key (see
# the .wxs) yields to a value given on the command line, which is kept aside before AppSearch and
# put back after it; then an unset one takes DEFAULT. In both sequences, as either may run
# AppSearch. It becomes a secure property, so that a managed installation takes it from its
# command line too.
secure=$(rows Property | awk -F'\t' '$1 == "SecureCustomProperties" { print $2 }')
remember() {
    local property=$1 default=${2:-} search table
    search=$(sequence_of AppSearch)
    query "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`)
        VALUES ('${property}_KeepGiven', 51, '${property}_Given', '[$property]')"
    query "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`)
        VALUES ('${property}_PutGivenBack', 51, '$property', '[${property}_Given]')"
    [[ -z $default ]] || query "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`)
        VALUES ('${property}_Default', 51, '$property', '$default')"
    for table in InstallUISequence InstallExecuteSequence; do
        query "INSERT INTO \`$table\` (\`Action\`, \`Condition\`, \`Sequence\`)
            VALUES ('${property}_KeepGiven', '$property', $((search - 1)))"
        query "INSERT INTO \`$table\` (\`Action\`, \`Condition\`, \`Sequence\`)
            VALUES ('${property}_PutGivenBack', '${property}_Given', $((search + 1)))"
        [[ -z $default ]] || query "INSERT INTO \`$table\` (\`Action\`, \`Condition\`, \`Sequence\`)
            VALUES ('${property}_Default', 'NOT $property', $((search + 2)))"
    done
    secure="$property;$secure"
}
query "UPDATE \`Component\` SET \`Condition\` = 'METRICSFOLDER' WHERE \`Component\` = 'MetricsFolder'"
remember VIEWERATLOGON 1
remember METRICSFOLDER
query "UPDATE \`Property\` SET \`Value\` = '$secure' WHERE \`Property\` = 'SecureCustomProperties'"

msibuild "$partial" "${queries[@]}"
# The description names the package in Windows' prompts.
((${#signing[@]} == 0)) || "${signing[@]}" -n Quillmarten "$partial"
mv "$partial" "$output"
