#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a bounded time on a scratch copy of its seeds, so
# the committed corpus stays small. Fails on any crash, leak, timeout or sanitizer report.
#   FUZZ_SECONDS  seconds per target (default 60)
#   BUILD_FUZZ    build folder (default build-fuzz, relative to the repository)
#   FUZZ_TARGETS  targets to run, separated by blanks (default: all)
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
seconds=${FUZZ_SECONDS:-60}
build=${BUILD_FUZZ:-build-fuzz}
[[ $build = /* ]] || build="$root/$build"
targets=${FUZZ_TARGETS:-"fuzz_number_text fuzz_profile_file fuzz_tape_file fuzz_key_sequences"}
compiler=${FUZZ_CXX:-clang++-14}

if ! command -v "$compiler" >/dev/null; then
    echo "fuzz: $compiler not found (Debian: clang-14 libclang-rt-14-dev libfuzzer-14-dev)" >&2
    exit 1
fi
cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER="$compiler" -DSUMWISE_WERROR=ON >/dev/null || exit 1
cmake --build "$build" -j "${FUZZ_JOBS:-2}" || exit 1

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=0
summary=()
for target in $targets; do
    seeds="$here/corpus/$target"
    work="$build/work/$target"
    artifacts="$build/artifacts/$target"
    log="$build/logs/$target.log"
    rm -rf "$work"
    mkdir -p "$work" "$artifacts" "$(dirname "$log")"
    if [[ -d $seeds ]]; then
        cp -r "$seeds/." "$work/"
    fi
    echo "== $target: $seconds s"
    "$build/$target" "$work" -max_total_time="$seconds" -print_final_stats=1 \
        -timeout=30 -rss_limit_mb=2048 -artifact_prefix="$artifacts/" -close_fd_mask=1 \
        >"$log" 2>&1
    status=$?

    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    # A report libFuzzer did not turn into a failing exit still fails the run.
    if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|property failed|SUMMARY: ' "$log"; then
        [[ $status -ne 0 ]] || status=1
    fi
    if [[ $status -eq 0 ]]; then
        result="ok"
    else
        result="FAILED (exit $status; log $log; inputs in $artifacts)"
        failed=1
        grep -E 'property failed|ERROR:|runtime error:|SUMMARY:|Test unit written' "$log" | head -n 8 >&2
    fi
    line="$target: ${runs:-?} executions, ${speed:-?} exec/s in $seconds s: $result"
    echo "$line"
    summary+=("$line")
done

echo "== fuzz summary"
printf '%s\n' "${summary[@]}"
exit $failed
