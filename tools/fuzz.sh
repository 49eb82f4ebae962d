#!/bin/sh
# Runs every fuzz target of a RYN_FUZZ build for a while and prints how far each got.
# Usage: tools/fuzz.sh BUILD_DIR SECONDS TARGET...
#
# New inputs go to BUILD_DIR/fuzz/corpus/<target> (the committed corpus under tests/fuzz/corpus/ is
# read, never written); a crash is saved as BUILD_DIR/fuzz/crash-<target>-*. Once its cause is fixed,
# copy the crash into tests/fuzz/corpus/<target>/ so that `make test` replays it from then on.
#
# Leaks are not hunted here: without Qt's frame pointers a leak inside Qt cannot be told from one
# of ours at fuzzing speed. Every input of the committed corpus is replayed by `make asan-test`,
# whose leak checker sees whole stacks.
set -u
build="$1"
seconds="$2"
shift 2
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
work="$build/fuzz"
mkdir -p "$work"
failed=0
summary=""
for target in "$@"; do
    mkdir -p "$work/corpus/$target"
    log="$work/$target.log"
    echo "fuzzing $target for $seconds s"
    ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen \
        "$build/bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -detect_leaks=0 \
        -artifact_prefix="$work/crash-$target-" \
        "$work/corpus/$target" "$source_dir/tests/fuzz/corpus/$target" > "$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    if [ "$status" -eq 0 ]; then
        result="clean"
    else
        result="FAILED (see $log)"
        failed=1
    fi
    summary="$summary$(printf '%-16s %12s %8s  %s' "$target" "${runs:-?}" "${coverage:-?}" "$result")
"
done
printf '\n%-16s %12s %8s  %s\n' "target" "executions" "edges" "result"
printf '%s' "$summary"
exit "$failed"
