#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite without a display.
#   scripts/test.sh         the suite, built into build/
#   scripts/test.sh --all   then the suite again with AddressSanitizer and UndefinedBehaviorSanitizer
#                           (build-asan/), failing on any report, the project-file fuzzer over
#                           its corpus and for a minute more (build-fuzz/, see scripts/fuzz.sh),
#                           and the Windows build's tests and installer under Wine (build-windows/,
#                           see scripts/package-windows.sh)
set -euo pipefail
ALL=false
case "${1:-}" in
"") ;;
--all) ALL=true ;;
*) echo "usage: scripts/test.sh [--all]" >&2; exit 2 ;;
esac
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
configure_and_build "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo
export QT_QPA_PLATFORM=offscreen
(cd "$BUILD_DIR" && ctest --output-on-failure --parallel "$(nproc)")
$ALL || exit 0

# The sanitizer suite: -O1 with line tables keeps the build quick and the reports readable.
ASAN_DIR="$ROOT/build-asan"
configure_and_build "$ASAN_DIR" -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1" \
    -DRUNEQUILL_SANITIZE=ON -DRUNEQUILL_BENCH=OFF
# Every report fails its test through the exit status (86, which no test expects of the program
# it runs); AddressSanitizer's and LeakSanitizer's reports also go to files, so that one from a
# child process fails the run even where the test does not look at the child's exit status.
SANITIZER_LOGS="$ASAN_DIR/sanitizer-logs"
rm -rf "$SANITIZER_LOGS"
mkdir -p "$SANITIZER_LOGS"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:exitcode=86:log_path=$SANITIZER_LOGS/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:exitcode=86"
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
status=0
(cd "$ASAN_DIR" && ctest --output-on-failure --parallel "$(nproc)") || status=$?
if [ -n "$(ls -A "$SANITIZER_LOGS")" ]; then
    echo "sanitizer reports:" >&2
    cat "$SANITIZER_LOGS"/* >&2
    status=1
fi
[ "$status" -eq 0 ] || exit "$status"
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

"$ROOT/scripts/fuzz.sh" 60

"$ROOT/scripts/package-windows.sh" --test
