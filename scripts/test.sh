#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite without a display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
configure_and_build "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo
export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
ctest --output-on-failure --parallel "$(nproc)"
