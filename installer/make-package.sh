#!/usr/bin/env bash
# Builds the Windows Installer package from quillmarten.wxs with wixl, from the programs of a
# Windows build directory, then writes into its tables what wixl 0.101 cannot: the conditions of
# the Run value's and the metrics folder's components, the event source's REG_EXPAND_SZ type,
# and VIEWERATLOGON and METRICSFOLDER among the secure properties, so that a managed
# installation passes them on from its command line too.
# Usage: installer/make-package.sh BUILD_DIR x86|x64 VERSION PRODUCT_CODE OUTPUT
set -euo pipefail
source_dir=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: make-package.sh BUILD_DIR x86|x64 VERSION PRODUCT_CODE OUTPUT}
arch=$2 version=$3 product_code=$4 output=$(realpath -m "$5")
# Written beside the output and moved in place whole, so that a failure leaves no package that
# looks finished.
partial=$output.partial
trap 'rm -f "$partial"' EXIT

# wixl finds the files' sources relative to the working directory.
cd "$build"
wixl -a "$arch" -D Arch="$arch" -D Version="$version" -D ProductCode="$product_code" \
    -o "$partial" "$source_dir/quillmarten.wxs"
secure=$(msiinfo export "$partial" Property | awk -F'\t' '$1 == "SecureCustomProperties" { print $2 }' | tr -d '\r')
msibuild "$partial" \
    -q "UPDATE \`Component\` SET \`Condition\` = 'VIEWERATLOGON = \"1\"'
        WHERE \`Component\` = 'ViewerAtLogOn'" \
    -q "UPDATE \`Component\` SET \`Condition\` = 'METRICSFOLDER'
        WHERE \`Component\` = 'MetricsFolder'" \
    -q "UPDATE \`Registry\` SET \`Value\` = '#%[#Quillmarten.exe]'
        WHERE \`Name\` = 'EventMessageFile'" \
    -q "UPDATE \`Property\` SET \`Value\` = 'VIEWERATLOGON;METRICSFOLDER;$secure'
        WHERE \`Property\` = 'SecureCustomProperties'"
mv "$partial" "$output"
