#!/bin/sh
# Hardening checks, run by CI after the tests: the whole suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, every fuzz target for a
# bounded time, clang-format, clang-tidy and cppcheck. Any report fails.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh" --hardening
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-60}

echo "== format"
cd "$top"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== sanitizer build"
asan="$top/build-asan"
CC=clang CXX=clang++ cmake -S "$top" -B "$asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMSP_FUZZ=ON \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cmake --build "$asan" --parallel "$jobs"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:quarantine_size_mb=64"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$top/tests/sanitizers/lsan.supp:print_suppressions=0"

echo "== tests under sanitizers"
(cd "$asan" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$jobs")

echo "== fuzzing, ${fuzz_seconds}s per target"
for corpus in "$top"/tests/fuzz/corpus/*/; do
    name=$(basename "$corpus")
    work=$(mktemp -d)
    cp -r "$corpus"/. "$work"/
    echo "-- fuzz_$name"
    QT_QPA_PLATFORM=offscreen "$asan/bin/fuzz_$name" -max_total_time="$fuzz_seconds" -timeout=1 \
        -rss_limit_mb=2048 -malloc_limit_mb=512 -print_final_stats=1 "$work" 2>"$work.log" \
        || { tail -n 60 "$work.log"; exit 1; }
    grep -E 'stat::number_of_executed_units|cov:' "$work.log" | tail -n 2
    rm -rf "$work" "$work.log"
done

echo "== clang-tidy"
files=$(git ls-files 'src/*.cpp' 'host/*.cpp' 'emulator/*.cpp' 'wire/*.cpp' 'ctl/*.cpp')
# shellcheck disable=SC2086
run-clang-tidy -p "$asan" -quiet -j "$jobs" $files >"$asan/clang-tidy.log" 2>&1 || true
if grep -E '(warning|error):' "$asan/clang-tidy.log"; then exit 1; fi

echo "== cppcheck"
cppcheck --quiet --error-exitcode=1 --inline-suppr --std=c++17 --library=qt \
    --enable=warning,performance,portability --suppressions-list="$top/.cppcheck-suppressions" \
    -I include $(git ls-files 'src/*' 'host/*' 'emulator/*' 'wire/*' 'ctl/*' | grep -E '/' | xargs -n1 dirname | sort -u | sed 's/^/-I /') \
    $(git ls-files 'src/*.cpp' 'host/*.cpp' 'emulator/*.cpp' 'wire/*.cpp' 'ctl/*.cpp')

echo "== all checks passed"
