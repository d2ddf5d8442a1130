#!/usr/bin/env bash
# Installs what is missing, builds, and starts Runequill.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
configure_and_build "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec "$BUILD_DIR/src/app/runequill" "$@"
