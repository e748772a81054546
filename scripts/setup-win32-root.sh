#!/usr/bin/env bash
# Makes, once, the Debian bookworm root in which the end-to-end tests run the 32-bit programs that
# ship: Wine with its 32-bit loader (wine32:i386, and its preloader, without which a start takes
# minutes under emulation), qemu-user 10 from bookworm-backports for kernels that run no 32-bit
# programs (bookworm's qemu 7.2 crashed the service in about one start in four), and the tools the
# end-to-end harness uses (libfaketime of both bitnesses for the drills' shifted clock), with wixl
# and msitools, which build the installer tests' newer package. It comes from the Debian mirrors that the machine's own apt sources name, through the proxy its
# apt uses, so that it works where the company's network does. It lives outside the clone, in
# $QUILLMARTEN_WIN32_ROOT or /var/cache/quillmarten/win32-root, so that later runs and CI on the
# same machine reuse it; the machine's own apt sources, Wine and binfmt registrations stay as they
# are. Safe to run again: a finished root is left as it is, packages missing from it are added,
# an unfinished one is made anew. scripts/in-win32-root.sh enters it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=${QUILLMARTEN_WIN32_ROOT:-/var/cache/quillmarten/win32-root}
qemu="qemu-user-static/bookworm-backports"
packages=(wine wine64 wine32:i386 wine32-preloader:i386 "$qemu" xvfb xdotool imagemagick procps xxd libstdc++6
    libfaketime libfaketime:i386 wixl msitools)

fail() {
    echo "setup-win32-root: $*" >&2
    exit 1
}

[[ $(id -u) == 0 ]] || exec sudo --preserve-env "$0" "$@"
[[ $(cat "$root/.packages" 2>/dev/null) == "${packages[*]}" ]] && exit 0
scripts/setup-debian.sh
mkdir -p "$(dirname "$root")"
# One setup at a time on a machine: a second waits, then finds the root made.
exec 9>"$root.lock"
flock 9
[[ $(cat "$root/.packages" 2>/dev/null) == "${packages[*]}" ]] && exit 0

started=$SECONDS
{ read -r mirror && read -r security_mirror; } < <(scripts/debian-mirrors.sh)
eval "$(apt-config shell http_proxy Acquire::http::Proxy https_proxy Acquire::https::Proxy)"
export http_proxy https_proxy
# debootstrap leaves its own folder in the root until it has finished. Only such an unfinished
# root, or an empty folder, is removed, never a folder that QUILLMARTEN_WIN32_ROOT names by mistake.
if [[ ! -x $root/usr/bin/apt-get || -e $root/debootstrap ]]; then
    [[ ! -e $root || -e $root/debootstrap ]] || rmdir "$root" 2>/dev/null ||
        fail "$root is not a root that this script began: remove it, or name another"
    echo "setup-win32-root: making the 32-bit Wine root in $root (about 3 GB and a few minutes)"
    rm -rf "$root"
    # Its mounts of /proc and /sys in the root stay in a mount namespace of its own.
    unshare --mount --pid --fork --kill-child \
        debootstrap --variant=minbase --arch=amd64 bookworm "$root" "$mirror" >"$root.log" 2>&1 ||
        fail "debootstrap failed, see $root.log"
fi

cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $mirror bookworm-backports main
deb $security_mirror bookworm-security main
EOF
# qemu first: with it, the second call runs the 32-bit packages' scripts under emulation.
install() {
    scripts/in-win32-root.sh --network sh -c 'dpkg --add-architecture i386 && apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"' \
        install "$@" >>"$root.log" 2>&1 || fail "could not install $* in the root, see $root.log"
}
install "$qemu"
install "${packages[@]}"
echo "${packages[*]}" >"$root/.packages"
echo "setup-win32-root: the root in $root is ready after $((SECONDS - started)) s," \
    "$(du -sh "$root" | cut -f1)"
