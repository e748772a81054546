#!/usr/bin/env bash
# Builds the Windows Installer package from quillmarten.wxs with wixl, from the programs of a
# Windows build directory, then writes into its tables the two things wixl 0.101 cannot:
# the Run value's component condition and the event source's REG_EXPAND_SZ type.
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
msibuild "$partial" \
    -q "UPDATE \`Component\` SET \`Condition\` = 'VIEWERATLOGON = \"1\"'
        WHERE \`Component\` = 'ViewerAtLogOn'" \
    -q "UPDATE \`Registry\` SET \`Value\` = '#%[#Quillmarten.exe]'
        WHERE \`Name\` = 'EventMessageFile'"
mv "$partial" "$output"
