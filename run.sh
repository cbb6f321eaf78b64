#!/usr/bin/env bash
# ./run.sh [FILE]: installs what is missing, builds, and opens FILE in Veldrin.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
veldrin_install_packages
veldrin_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec build/app/veldrin "$@"
