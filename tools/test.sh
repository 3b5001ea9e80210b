#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOBRIX_BUILD_TESTS=ON -DLOBRIX_BUILD_BENCH=ON
cmake --build build
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j "$(nproc)")
# The fuzz targets need clang: a second build folder with the address and
# undefined-behaviour sanitizers, the list view's sanitized test, and about a
# minute of fuzzing in all.
if command -v clang++ >/dev/null 2>&1; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DLOBRIX_FUZZ=ON -DLOBRIX_BUILD_BENCH=OFF
  cmake --build build-fuzz --target AnalyserFuzz RecordReaderFuzz FieldReaderFuzz ListviewSanitized
  (cd build-fuzz && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -R '_fuzz$|_sanitized$')
fi
