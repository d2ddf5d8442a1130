#!/usr/bin/env bash
# Installs what is missing, builds an optimised Runequill into build-bench/, and runs the
# benchmarks, which end with the goals table. Arguments go to runequill-bench (for example
# --benchmark_filter=Open).
set -euo pipefail
BUILD_DIR="${BUILD_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build-bench}"
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
configure_and_build "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DRUNEQUILL_TESTS=OFF -DRUNEQUILL_BENCH=ON
export QT_QPA_PLATFORM=offscreen
exec "$BUILD_DIR/bench/runequill-bench" "$@"
