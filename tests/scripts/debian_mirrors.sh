#!/usr/bin/env bash
# scripts/debian-mirrors.sh on apt sources of each form: the mirrors it finds for bookworm and its
# security archive, and deb.debian.org's where the sources name none that serves.
set -euo pipefail
mirrors=$(cd "$(dirname "$0")/../.." && pwd)/scripts/debian-mirrors.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# case NAME "EXPECTED MIRROR" "EXPECTED SECURITY" FILE CONTENT [FILE CONTENT...]: the sources
# as those files under an apt folder of their own.
case_() {
    local name=$1 expected="$2"$'\n'"$3" apt=$work/$1 found
    shift 3
    mkdir -p "$apt/sources.list.d"
    while (($#)); do printf '%s\n' "$2" >"$apt/$1" && shift 2; done
    found=$("$mirrors" "$apt")
    [[ $found == "$expected" ]] && return
    printf 'debian_mirrors: %s: found\n%s\ninstead of\n%s\n' "$name" "$found" "$expected" >&2
    failures=$((failures + 1))
}

case_ one-line http://mirror.example/debian https://mirror.example/debian-security \
    sources.list "# deb http://commented.example/debian bookworm main
deb-src http://source.example/debian bookworm main
deb [arch=amd64 signed-by=/usr/share/keyrings/debian.gpg] http://mirror.example/debian/ bookworm main
deb https://mirror.example/debian-security bookworm-security main"
case_ deb822 http://proxy.example:3142/debian http://deb.debian.org/debian-security \
    sources.list.d/a-vendor.list "deb https://vendor.example/apt vendor-bookworm main" \
    sources.list.d/debian.sources "Types: deb
URIs: http://disabled.example/debian
Suites: bookworm
Enabled: no

Types: deb-src
URIs: http://source.example/debian
Suites: bookworm

types: deb deb-src
# a comment inside the stanza
uris: http://proxy.example:3142/debian
suites: bookworm-updates
 bookworm
Components: main"
case_ mirror-list http://listed.example/debian http://deb.debian.org/debian-security \
    mirrors.list "# the first that answers
http://listed.example/debian/	priority:1
http://second.example/debian" \
    sources.list.d/debian.sources "Types: deb
URIs: mirror+file://$work/mirror-list/mirrors.list
Suites: bookworm"
case_ none-that-serves http://deb.debian.org/debian http://deb.debian.org/debian-security \
    sources.list "deb cdrom:[Debian 12]/ bookworm main
deb http://mirror.example/debian trixie main" \
    sources.list.d/debian.sources.disabled "Types: deb
URIs: http://ignored.example/debian
Suites: bookworm"
((failures == 0)) && echo "debian_mirrors: 4 cases passed"
