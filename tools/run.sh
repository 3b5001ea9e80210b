#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on its own data
# folder (build/Dados).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOBRIX_BUILD_TESTS=OFF -DLOBRIX_BUILD_BENCH=OFF
cmake --build build
exec ./build/lobrix
