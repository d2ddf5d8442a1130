#!/usr/bin/env bash
# Builds the project-file fuzzer with clang into build-fuzz/ and runs it: first over the seed
# corpus in tests/fixtures/corpus, then for SECONDS more (0, the default, runs until interrupted).
#   scripts/fuzz.sh [SECONDS] [libFuzzer options...]      e.g.  scripts/fuzz.sh 3600 -jobs=2
# New inputs go to build-fuzz/corpus; an input that fails is written to build-fuzz/findings/.
# Once its fault is fixed, copy it into tests/fixtures/corpus so that every run tries it again.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

SECONDS_TO_RUN="${1:-0}"
shift || true
case "$SECONDS_TO_RUN" in
*[!0-9]* | "") echo "usage: scripts/fuzz.sh [SECONDS] [libFuzzer options...]" >&2; exit 2 ;;
esac

FUZZ_DIR="${FUZZ_DIR:-$ROOT/build-fuzz}"
if [ ! -f "$FUZZ_DIR/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DRUNEQUILL_FUZZ=ON -DRUNEQUILL_TESTS=OFF -DRUNEQUILL_BENCH=OFF
fi
cmake --build "$FUZZ_DIR" --target project_file_fuzzer --parallel "$(nproc)"

FUZZER="$FUZZ_DIR/tests/fuzz/project_file_fuzzer"
SEEDS="$ROOT/tests/fixtures/corpus"
mkdir -p "$FUZZ_DIR/corpus" "$FUZZ_DIR/findings"
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
OPTIONS=(-dict="$ROOT/tests/fuzz/project_file.dict" -timeout=10 -rss_limit_mb=4096
         -artifact_prefix="$FUZZ_DIR/findings/")

echo "fuzz: the seed corpus, $(ls "$SEEDS" | wc -l) files"
"$FUZZER" "${OPTIONS[@]}" "$SEEDS"/* 2>"$FUZZ_DIR/seeds.log" || { cat "$FUZZ_DIR/seeds.log" >&2; exit 1; }

if [ "$SECONDS_TO_RUN" -eq 0 ]; then
    echo "fuzz: running until interrupted (Ctrl-C)"
else
    echo "fuzz: running for $SECONDS_TO_RUN seconds"
fi
# On a terminal the fuzzer shows its progress; elsewhere (CI) it goes to a log, shown on failure.
LOG="$FUZZ_DIR/fuzz.log"
RUN=("$FUZZER" "${OPTIONS[@]}" -max_total_time="$SECONDS_TO_RUN" -interrupted_exitcode=0 -print_final_stats=1
     "$@" "$FUZZ_DIR/corpus" "$SEEDS")
if [ -t 2 ]; then
    "${RUN[@]}" 2> >(tee "$LOG" >&2) || { echo "fuzz: FAILED; the input is in $FUZZ_DIR/findings/" >&2; exit 1; }
else
    "${RUN[@]}" 2>"$LOG" || {
        tail -n 60 "$LOG" >&2
        echo "fuzz: FAILED; the input is in $FUZZ_DIR/findings/" >&2
        exit 1
    }
fi
grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$LOG" || true
echo "fuzz: no findings"
