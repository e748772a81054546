#!/usr/bin/env bash
# Makes, once, a throwaway code-signing certificate for the tests in DIR: a CA of its own
# (ca.pem) and a certificate it issued for code signing, with its key and the CA, in a PKCS#12
# file (signing.p12) under the password in QUILLMARTEN_SIGN_PASSWORD. Nothing trusts it but the
# checks that are given ca.pem.
# Usage: QUILLMARTEN_SIGN_PASSWORD=... scripts/make-test-certificate.sh DIR
set -euo pipefail
dir=${1:?usage: make-test-certificate.sh DIR}
: "${QUILLMARTEN_SIGN_PASSWORD:?the password for the PKCS#12 file}"
[[ -f $dir/signing.p12 && -f $dir/ca.pem ]] && exit 0
mkdir -p "$dir" && cd "$dir"
openssl req -x509 -newkey rsa:2048 -noenc -keyout ca.key -out ca.pem -days 3650 \
    -subj "/CN=Quillmarten throwaway test CA" \
    -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
openssl req -newkey rsa:2048 -noenc -keyout signing.key -out signing.csr \
    -subj "/O=Brackwater/CN=Quillmarten throwaway test signing" 2>/dev/null
openssl x509 -req -in signing.csr -CA ca.pem -CAkey ca.key -set_serial 1 -days 3650 -out signing.pem \
    -extfile <(printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature \
        extendedKeyUsage=codeSigning) 2>/dev/null
openssl pkcs12 -export -in signing.pem -inkey signing.key -certfile ca.pem \
    -passout env:QUILLMARTEN_SIGN_PASSWORD -out signing.p12.partial
rm -f ca.key signing.key signing.csr
mv signing.p12.partial signing.p12
