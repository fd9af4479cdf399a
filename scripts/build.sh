#!/bin/sh
# Configures and builds everything into build/ (the program, the tests and the benchmarks).
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
