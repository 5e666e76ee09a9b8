#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehavior-
# Sanitizer) and runs each one for SECONDS_PER_TARGET seconds (default 600):
#
#     scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#
# Seeds: the format's files in tests/data, fuzz/seeds/<target> and the kept
# reproducers in tests/crashers/<target>. New corpus files, crash inputs and
# logs stay under build/fuzz-work, out of the repository; the corpus grows
# from run to run. A crashing input is left in build/fuzz-work/artifacts/
# <target>/; copy it to tests/crashers/<target>/ once the fault is fixed.
# Ends with executions and coverage per target; the exit status is 1 when
# any target found a fault. The build bounds one image to 1 megapixel
# (fuzz/CMakeLists.txt), so inputs stay fast; scripts/soak.sh covers the
# product's real bound.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
shift || true
build=$root/build/fuzz
work=$root/build/fuzz-work
all_targets=(bmp jpeg png gif ico detect xml settings resize)
targets=("${all_targets[@]}")
(($#)) && targets=("$@")

# Light optimisation keeps the instrumented build quick and the stacks readable.
if [[ ! -f $build/build.ninja ]]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DTARVEX_FUZZ=ON \
        -DTARVEX_TESTS=OFF -DCMAKE_BUILD_TYPE=Fuzz \
        -DCMAKE_C_FLAGS="-O1 -gline-tables-only" \
        -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" >/dev/null || exit 1
fi
cmake --build "$build" -j"$(nproc)" --target fuzzers || exit 1

# Folder of test images for a target ("" when it has none).
data_of() {
    case $1 in
        bmp | jpeg | png | gif | ico) echo "$root/tests/data/$1" ;;
        detect) echo "$root/tests/data" ;;
        *) echo "" ;;
    esac
}
# Dictionary for a target: its own, or all image formats' for the targets
# that take any format.
dict_of() {
    case $1 in
        detect | resize) echo "$work/all.dict" ;;
        *) [[ -f $root/fuzz/dict/$1.dict ]] && echo "$root/fuzz/dict/$1.dict" ;;
    esac
}

mkdir -p "$work/seeds/settings"
rm -f "$work/seeds/settings/seed.db"
"$build/fuzz/settings_seed" "$work/seeds/settings/seed.db" || echo "no settings seed"
cat "$root"/fuzz/dict/{png,jpeg,gif,bmp,ico}.dict >"$work/all.dict"

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
# The detect and settings targets write their input to a file each run: keep
# those files in memory when the machine has a RAM-backed folder.
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
failed=()
summary=()
for target in "${targets[@]}"; do
    corpus=$work/corpus/$target
    artifacts=$work/artifacts/$target
    log=$work/logs/$target.log
    mkdir -p "$corpus" "$artifacts" "$work/logs"
    seeds=()
    for folder in "$(data_of "$target")" "$root/fuzz/seeds/$target" "$work/seeds/$target" \
        "$root/tests/crashers/$target"; do
        [[ -n $folder && -d $folder ]] && seeds+=("$folder")
    done
    dict=$(dict_of "$target")
    # Images are bounded to 1 megapixel in this build, so no input has a reason
    # to allocate 512 MiB at once: a larger request is a finding.
    options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -malloc_limit_mb=512
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$artifacts/")
    [[ -n $dict ]] && options+=(-dict="$dict")
    echo "== fuzz_$target for ${seconds}s"
    (cd "$work" && "$build/fuzz/fuzz_$target" "${options[@]}" "$corpus" "${seeds[@]}") \
        >"$log" 2>&1
    status=$?
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
    cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1)
    files=$(find "$corpus" -type f | wc -l)
    if ((status != 0)); then
        failed+=("$target")
        grep -m1 -E 'ERROR|runtime error|deadly signal|Test unit written' "$log"
        echo "   log: $log"
    fi
    summary+=("$(printf '%-9s %-6s execs %-10s %-22s corpus %s' "$target" \
        "$( ((status == 0)) && echo ok || echo FAIL)" "${execs:-?}" "${cov:-cov: ?}" "$files")")
done

echo "== fuzz summary (${seconds}s per target)"
printf '%s\n' "${summary[@]}"
if ((${#failed[@]})); then
    echo "Faults found by: ${failed[*]} (inputs in $work/artifacts/)"
    exit 1
fi
