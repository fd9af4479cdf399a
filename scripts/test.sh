#!/bin/sh
# Sets up, builds and runs every test through ctest, without a display and without the network.
set -eu
cd "$(dirname "$0")/.."
./scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
