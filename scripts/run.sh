#!/bin/sh
# Installs what is missing, builds the plug-in, the substitute host and the
# module emulator in ./build, and runs the host with the plug-in and the
# emulated module in-process.
#
#   ./scripts/run.sh              a window (with on-screen keypad) when there is a
#                                 display; otherwise the scripted demo, which
#                                 leaves PNG screenshots in build/screenshots
#   ./scripts/run.sh demo         the scripted demo even with a display
#   ./scripts/run.sh vnc [PORT]   interactive on a headless machine: connect a
#                                 VNC viewer to this machine's PORT (5900)
#
# Further arguments go to msp-host (see msp-host --help), e.g. --trace, --lang es.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"

build="$top/build"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)" --target msp-host zetavx-emu

# Qt wants a private runtime folder; a root shell on a server often has none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR="/tmp/runtime-$(id -u)"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
fi

mode=auto
case "${1:-}" in
    demo) mode=demo; shift ;;
    vnc) mode=vnc; shift
         port=5900
         case "${1:-}" in [0-9]*) port=$1; shift ;; esac ;;
esac
if [ "$mode" = auto ]; then
    if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then mode=window; else mode=demo; fi
fi

# The demo's removable media: a USB memory that is present, an SD card that is not.
media="$build/media"
mkdir -p "$media/USB"
rm -rf "$media/SD"
set -- --media "USB=$media/USB" --media "SD=$media/SD" \
       --config-dir "$build/host-config" --emu-state "$build/emulator-state.ini" "$@"

case "$mode" in
    window) exec "$build/bin/msp-host" --keypad "$@" ;;
    vnc)    exec "$build/bin/msp-host" -platform "vnc:port=$port" --keypad "$@" ;;
esac

shots="$build/screenshots"
rm -rf "$shots"
# The demo starts from the factory configuration every time.
rm -f "$build/emulator-state.ini" "$media/USB/demo.cfi"
rm -rf "$build/host-config"
# The plug-in's debug lines would bury the script's own output.
QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="${QT_LOGGING_RULES:-*.debug=false}" \
    "$build/bin/msp-host" --no-settings --script "$top/host/script/demo.script" \
    --shots "$shots" "$@"
echo "Demo screenshots are in $shots:"
ls "$shots"
