#!/usr/bin/env bash
# Runs COMMAND as root in the 32-bit Wine root that scripts/setup-win32-root.sh makes, inside user,
# mount, PID and network namespaces of its own: its mounts, its processes, its X displays and its
# binfmt_misc registration end with it, and nothing outside changes. Where the kernel runs no
# 32-bit x86 programs itself, qemu-i386 runs them, registered in a binfmt_misc instance that
# belongs to the namespace alone (Linux 6.7 and later). The clone sits at the same path inside, and
# COMMAND starts in the current directory. --network shares the machine's network (for apt).
# Usage: scripts/in-win32-root.sh [--network] COMMAND [ARGS...]
set -euo pipefail
root=${QUILLMARTEN_WIN32_ROOT:-/var/cache/quillmarten/win32-root}
repo=$(cd "$(dirname "$0")/.." && pwd)

fail() {
    echo "in-win32-root: $*" >&2
    exit 1
}

# A static 32-bit x86 program of 93 bytes that only exits 0: it runs where the kernel (or a
# binfmt_misc registration) runs such programs, and fails with "Exec format error" elsewhere.
write_i386_probe() {
    printf '%b' '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08' \
        '\x34\0\0\0\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0\0\0' \
        '\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08\x5d\0\0\0\x5d\0\0\0\x05\0\0\0\0\x10\0\0' \
        '\x31\xdb\xb8\x01\0\0\0\xcd\x80' >"$1"
    chmod +x "$1"
}

# Flags: F opens qemu now, from outside the chroot; O hands it the program as an open file; P
# passes the program its own argv[0].
register_qemu() {
    local qemu=$root/usr/bin/qemu-i386-static binfmt=$root/proc/sys/fs/binfmt_misc
    write_i386_probe "$root/tmp/i386-probe"
    ! "$root/tmp/i386-probe" 2>/dev/null || return 0
    # Until the setup has installed qemu, the root runs 64-bit programs only.
    [[ -x $qemu ]] || return 0
    mount -t binfmt_misc binfmt_misc "$binfmt" || fail "no binfmt_misc of the namespace's own (Linux 6.7+)"
    # The ELF header of a 32-bit x86 program, and which of its bits count; binfmt_misc reads the
    # escapes itself.
    local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    printf '%s\n' ":qemu-i386:M::$magic:$mask:$qemu:OPF" >"$binfmt/register"
    "$root/tmp/i386-probe" || fail "qemu-i386 does not run 32-bit programs"
}

# In the new namespaces, as their root: mounts, qemu, then COMMAND in the root as a child of a
# shell that stays process 1 and so reaps what Wine leaves behind.
inside() {
    local directory=$1 network=$2
    shift 2
    until grep -q . /proc/self/uid_map; do sleep 0.05; done
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    mount -t tmpfs tmpfs "$root/dev/shm"
    mount --rbind /sys "$root/sys"
    mount -t tmpfs tmpfs "$root/tmp"
    mkdir -p "$root$repo" && mount --bind "$repo" "$root$repo"
    [[ $network == no ]] || mount --bind /etc/resolv.conf "$root/etc/resolv.conf"
    register_qemu
    exec chroot "$root" /usr/bin/env -u DISPLAY -u TMPDIR -u WINEPREFIX -u WINEARCH HOME=/root \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        /bin/bash -c 'cd "$0" && "$@"; exit $?' "$directory" "$@"
}

if [[ ${1:-} == --inside ]]; then
    inside "${@:2}"
fi

[[ $(id -u) == 0 ]] || exec sudo --preserve-env "$0" "$@"
namespaces=(--user --mount --pid --fork --net) network=no
[[ ${1:-} != --network ]] || { namespaces=("${namespaces[@]:0:4}") network=yes && shift; }
(($#)) || fail "usage: in-win32-root.sh [--network] COMMAND [ARGS...]"
[[ -x $root/bin/bash ]] || fail "no root in $root: run scripts/setup-win32-root.sh"

unshare "${namespaces[@]}" -- "$0" --inside "$PWD" "$network" "$@" &
namespace=$!
# The end of the namespace's process 1 ends every process in it. (unshare's --kill-child does not
# reach it: that process has changed its credentials since.)
trap 'pkill -KILL -P "$namespace"' INT TERM
# The root and the clone keep their owners inside: ids 0 to 65535 map onto themselves.
until [[ ! -e /proc/$namespace || $(readlink "/proc/$namespace/ns/user") != "$(readlink /proc/self/ns/user)" ]]; do
    sleep 0.05
done
echo "0 0 65536" >"/proc/$namespace/uid_map" && echo "0 0 65536" >"/proc/$namespace/gid_map" ||
    fail "could not map the namespace's ids"
wait "$namespace"
