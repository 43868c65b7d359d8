#!/bin/sh
# Installs the Debian 12 packages that building, running and testing need,
# only those that are missing. Run as root (or with sudo available).
set -eu

PACKAGES="cmake make g++ pkg-config
qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools libqt5serialport5-dev
fonts-dejavu-core"
# The hardening checks also need clang's sanitizers and libFuzzer, and the analysers.
if [ "${1:-}" = "--hardening" ]; then
    PACKAGES="$PACKAGES clang libclang-rt-14-dev clang-tidy clang-format cppcheck"
fi
# The benchmarks count instructions with callgrind.
if [ "${1:-}" = "--bench" ]; then
    PACKAGES="$PACKAGES valgrind"
fi

missing=""
for p in $PACKAGES; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $p" ;;
    esac
done

[ -z "$missing" ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing:$missing"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
