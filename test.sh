#!/usr/bin/env bash
# ./test.sh: installs what is missing, builds, and runs every test: once in
# the normal build and once built with AddressSanitizer and
# UndefinedBehaviorSanitizer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
veldrin_install_packages

jobs=$(nproc)
veldrin_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd build && ctest --output-on-failure -j "$jobs")

veldrin_build build-asan -DCMAKE_BUILD_TYPE=Debug -DVELDRIN_SANITIZE=ON -DVELDRIN_BENCH=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp" ctest --output-on-failure -j "$jobs")
