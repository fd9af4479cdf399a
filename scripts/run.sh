#!/bin/sh
# Sets up, builds and starts Kelvaro Fennwick. Extra arguments go to the program
# (for example --demo for the demo on built-in stand-in services, or --data-dir DIR).
# Without a display the program runs inside Xvfb.
set -eu
cd "$(dirname "$0")/.."
./scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting inside a virtual X server (xvfb-run)."
    exec xvfb-run -a ./build/kelvaro "$@"
fi
exec ./build/kelvaro "$@"
