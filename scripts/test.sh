#!/bin/sh
# Sets up, builds and runs every test through ctest, without a display and without the network.
# The benchmarks (label "bench") are left to ./scripts/bench.sh.
set -eu
cd "$(dirname "$0")/.."
./scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 -LE bench
