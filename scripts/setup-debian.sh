#!/usr/bin/env bash
# Installs what building and testing Quillmarten needs on Debian 12. Safe to run again:
# packages already present are left alone and the package lists are fetched only when needed.
set -euo pipefail

packages=(
    cmake g++ make googletest libgtest-dev libgmock-dev libbenchmark-dev clang-format
    clang libclang-rt-14-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64
    wine wine64 xvfb xdotool imagemagick x11-apps valgrind sqlite3 wixl msitools debootstrap
    libfaketime osslsigncode openssl curl prometheus prometheus-node-exporter
)
# Debian starts and enables these daemons as it installs them; here they run only inside the
# metrics test, on loopback ports of its choosing, so they are stopped and kept from starting.
daemons=(prometheus prometheus-node-exporter)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done

if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
    for daemon in "${daemons[@]}"; do
        [[ " ${missing[*]} " == *" $daemon "* ]] || continue
        if [[ -d /run/systemd/system ]]; then
            $sudo systemctl disable --now --quiet "$daemon"
        else
            $sudo invoke-rc.d "$daemon" stop >/dev/null 2>&1 || true # it may not have started
            $sudo update-rc.d "$daemon" disable >/dev/null
        fi
    done
fi
