#!/usr/bin/env bash
# Installs what the build needs, then builds and runs every test twice: in a
# normal build and in one with AddressSanitizer + UndefinedBehaviorSanitizer
# (any sanitizer report fails the run). The tests of the worker thread and of
# the command-line program's job handling run a third time under
# ThreadSanitizer, and every fuzz target gets a short run (a finding fails it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

bash "$root/scripts/install-deps.sh"

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

run_suite() {
    local name=$1
    shift
    echo "== $name build"
    bash "$root/scripts/build.sh" "$root/build/$name" "$@"
    echo "== $name tests"
    ctest --test-dir "$root/build/$name" -j"$jobs" --output-on-failure --timeout 900
}

run_suite normal -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_suite sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_SANITIZE=address,undefined

echo "== thread build"
cmake -S "$root" -B "$root/build/thread" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARVEX_SANITIZE=thread >/dev/null
cmake --build "$root/build/thread" -j"$jobs" --target tarvex_job_runner_tests tarvex_cli_tests
echo "== thread tests"
ctest --test-dir "$root/build/thread" -j"$jobs" --output-on-failure --timeout 900 \
    -L '^(job_runner|cli)$'

# Every fuzz target gets a short, bounded run over its seeds (longer local
# runs: scripts/fuzz.sh with the seconds per target, default 600). The fuzz
# build bounds images to 1 megapixel, so no input takes long and a run does
# not flake on a slow machine: a crash, leak, sanitizer report, timeout or
# oversized allocation fails CI like a failing test. The input is left in
# build/fuzz-work/artifacts/; fix the fault, then keep it in tests/crashers/.
echo "== short fuzz runs"
bash "$root/scripts/fuzz.sh" 10
echo "All test builds passed."
