#!/bin/sh
# Builds the plug-in, the substitute host, the module emulator and the tests for
# the device's processor (32-bit ARM, armhf) and runs the whole test suite under
# user-mode qemu. Debian 12, as root; installs only what is missing.
#
#   ./scripts/cross-armhf.sh            install, build in ./build-armhf, test
#   ./scripts/cross-armhf.sh --build    install and build, no tests
#   ./scripts/cross-armhf.sh --package  install, build, then the .deb packages
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build="${MSP_ARMHF_BUILD:-$top/build-armhf}"
mode=test
case "${1:-}" in
    "") ;;
    --build) mode=build ;;
    --package) mode=package ;;
    *) echo "usage: $0 [--build | --package]" >&2; exit 2 ;;
esac

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
apt_get() { $SUDO env DEBIAN_FRONTEND=noninteractive apt-get "$@"; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# --- what the cross build needs, through Debian multiarch ---
if ! dpkg --print-foreign-architectures | grep -qx armhf; then
    $SUDO dpkg --add-architecture armhf
fi
# qemu-user 7.2 (bookworm's own) refuses clone(CLONE_PIDFD); QProcess then ends
# in kill(-1, SIGKILL). Only the backported qemu (10.x) is safe to use.
if ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    mirror=$(grep -hs -m1 -E '^(URIs:|deb )' /etc/apt/sources.list.d/debian.sources \
        /etc/apt/sources.list | grep -v security | head -n1 \
        | sed -E 's/^URIs:[[:space:]]*//; s/^deb[[:space:]]+(\[[^]]*\][[:space:]]+)?//; s/[[:space:]].*//')
    [ -n "$mirror" ] || mirror=http://deb.debian.org/debian
    printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\nSigned-By: %s\n' \
        "$mirror" /usr/share/keyrings/debian-archive-keyring.gpg \
        | $SUDO tee /etc/apt/sources.list.d/bookworm-backports.sources >/dev/null
fi

PACKAGES="cmake make g++ pkg-config file qtbase5-dev-tools qttools5-dev-tools
crossbuild-essential-armhf qtbase5-dev:armhf libqt5serialport5-dev:armhf qttools5-dev:armhf
fonts-dejavu-core"
missing=""
for p in $PACKAGES; do
    installed "$p" || missing="$missing $p"
done
qemu_ok=no
if installed qemu-user; then
    version=$(dpkg-query -W -f='${Version}' qemu-user)
    dpkg --compare-versions "$version" ge 1:8 && qemu_ok=yes
fi
if [ -n "$missing" ] || [ $qemu_ok = no ]; then
    # A mirror in mid-sync fails one index now and then; the install says if it mattered.
    apt_get update -qq || apt_get update -qq || true
    if [ -n "$missing" ]; then
        echo "Installing:$missing"
        # shellcheck disable=SC2086
        apt_get install -y -qq --no-install-recommends $missing
    fi
    if [ $qemu_ok = no ]; then
        echo "Installing: qemu-user from bookworm-backports"
        apt_get install -y -qq --no-install-recommends -t bookworm-backports qemu-user
    fi
fi

# --- build ---
jobs=${MSP_JOBS:-$(nproc)}
launcher=""
command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
# shellcheck disable=SC2086
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/armhf-linux-gnueabihf.cmake" $launcher >/dev/null
cmake --build "$build" --parallel "$jobs"
plugin="$build/lib/libmsp_zetavx_dvbs2.so"
kind=$(file -b "$plugin")
echo "$plugin: $kind"
case "$kind" in
    "ELF 32-bit LSB shared object, ARM, EABI5"*) ;;
    *) echo "not a plug-in for the device's processor" >&2; exit 1 ;;
esac

if [ $mode = package ]; then
    (cd "$build" && cpack)
    exit 0
fi
[ $mode = test ] || exit 0

# --- tests under qemu ---
# The suite runs in its own PID namespace, so that qemu's process handling
# cannot reach the machine's processes, and where possible in its own user and
# mount namespaces too: uids 0..65535 mapped (tests drop to nobody) and a
# private binfmt_misc (Linux 6.7 or later), through which tests start ARM
# programs without qemu being registered for the whole machine.
export QT_QPA_PLATFORM=offscreen
suite='
    if [ "$0" = private ] && mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc \
        && cat /usr/share/qemu/binfmt.d/qemu-arm.conf >/proc/sys/fs/binfmt_misc/register; then
        exec ctest --output-on-failure --parallel "$1"
    fi
    echo "No private binfmt_misc here: skipping tst_emulatorprogram, which starts the ARM emulator program."
    exec ctest --output-on-failure --parallel "$1" -E "^tst_emulatorprogram\$"'
cd "$build"
sync=$(mktemp -u)
mkfifo "$sync"
unshare --user --mount --pid --fork --kill-child --mount-proc \
    sh -c 'read -r ready <"$0"; exec sh -c "$@"' "$sync" "$suite" private "$jobs" &
pid=$!
# The uid map can be written once unshare has entered its namespaces.
while kill -0 $pid 2>/dev/null && ! echo "0 0 65536" 2>/dev/null >"/proc/$pid/uid_map"; do
    sleep 0.1
done
if echo "0 0 65536" 2>/dev/null >"/proc/$pid/gid_map"; then
    echo go >"$sync"
    rm -f "$sync"
    wait $pid
else
    # No user namespaces: the PID namespace alone, nothing registered.
    rm -f "$sync"
    kill $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
    unshare --pid --fork --kill-child --mount-proc sh -c "$suite" none "$jobs"
fi
