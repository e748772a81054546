#!/usr/bin/env bash
# Signs a Windows program or package in place with osslsigncode: Authenticode, SHA-256, with the
# signing options given (-pkcs12 FILE, or -certs FILE -key FILE; -ts URL...). The key's password,
# when QUILLMARTEN_SIGN_PASSWORD is set, reaches osslsigncode on a pipe, never on its command
# line. The signed file is made beside the file and takes its place whole.
# Usage: cmake/sign.sh OSSLSIGNCODE OPTIONS... FILE
set -euo pipefail
osslsigncode=$1 file=${!#} options=("${@:2:$#-2}")
signed=$file.signed
trap 'rm -f "$signed"' EXIT
password=()
[[ -z ${QUILLMARTEN_SIGN_PASSWORD+set} ]] || password=(-readpass /dev/stdin)
printf '%s' "${QUILLMARTEN_SIGN_PASSWORD:-}" |
    "$osslsigncode" sign -h sha256 "${options[@]}" "${password[@]}" -in "$file" -out "$signed"
mv "$signed" "$file"
