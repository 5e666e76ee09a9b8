#!/usr/bin/env bash
# Batch soak: runs tarvex-resize, built with AddressSanitizer + UndefinedBehavior-
# Sanitizer, over a few thousand damaged image files, many files per process,
# in both sizing modes.
#
#     scripts/soak.sh [BATCH_SIZE]      (default 250 files per process)
#
# The inputs are made by soak_mutate (fuzz/SoakMutate.cpp) from the images in
# tests/data and a few small generated ones: truncations, bit flips, byte runs
# and header fields set to 0, 1, 0x7fff, 0xffff, 0x7fffffff and 0xffffffff,
# always the same files. Everything is written under build/soak, outside the
# repository. Each batch must:
#  - finish with no sanitizer report, and exit with 1 exactly when the report
#    lists a failure (0 otherwise);
#  - name every input it wrote nothing for as skipped (or failed);
#  - leave only the inputs and the outputs it listed (no temporary files);
#  - write only outputs that read back whole: with Tarvex's own readers
#    (soak_check), ImageMagick's identify and pngcheck when installed;
#  - stay below the peak-memory bound (see below).
# Takes about 10 minutes on two cores. Exit status 1 when any check fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
batch_size=${1:-250}
build=$root/build/soak-asan
work=$root/build/soak

# Peak memory bound for one process working on one file at a time: one image
# at the pixel bound of src/image/ImageLimits.h (128 Mpx x 4 bytes = 512 MiB),
# as much again for what is computed from it (a codec's rows and tables, the
# resampler's intermediate picture, an output), and 512 MiB for the program,
# the sanitizer runtime, its shadow memory and its quarantine.
max_pixels=$((128 * 1024 * 1024))
bound_kb=$(((2 * max_pixels * 4 + 512 * 1024 * 1024) / 1024))

echo "== building tarvex-resize and the soak tools with ASan + UBSan in $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARVEX_SANITIZE=address,undefined >/dev/null || exit 1
cmake --build "$build" -j"$(nproc)" --target tarvex-resize soak_mutate soak_check || exit 1
resize=$build/apps/tarvex-resize

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

rm -rf "$work"
mkdir -p "$work/inputs" "$work/logs"
"$build/fuzz/soak_mutate" "$work/inputs" "$batch_size" "$root/tests/data" || exit 1

# One thread, so the peak memory is that of one file at a time.
threads=()
"$resize" --help | grep -q -- '--threads' && threads=(--threads 1)
modes=("--specific --pixels 800x600 --keep-ratio" "--various --max-range --samples 10")

# Each batch runs in a process of its own, two batches at a time; a batch
# leaves its figures in logs/<batch>.counts and its problems in
# logs/<batch>.problems, summed up at the end.
problem() {
    echo "!! $*" | tee -a "$problems_file" >&2
}

# Inputs with no output that the report does not name as skipped or failed.
check_reported() {
    local inputs=$1 out=$2 err=$3 mode=$4 input name
    while IFS= read -r input; do
        name=${input##*/}
        if [[ $mode == --specific* ]]; then
            grep -qF "/${name%.*} (" "$out" && continue
        else
            grep -qF "/$name (Sizes)/" "$out" && continue
        fi
        grep -qF "$input" "$err" || problem "no output and not reported: $input ($mode)"
    done <"$inputs"
}

# Files in the batch folder that are neither inputs nor listed outputs.
check_leftovers() {
    local folder=$1 inputs=$2 outputs=$3 file
    comm -23 <(find "$folder" -type f | sort) <(sort -u "$inputs" "$outputs") |
        while IFS= read -r file; do problem "file left behind: $file"; done
}

# Runs one mode over one batch; prints "files written skipped failed
# sanitizer-reports peak-KiB".
run_mode() {
    local mode=$1 log=$2 inputs=$3
    local out=$log.out err=$log.err status kb reports fails files
    mapfile -t files <"$inputs"
    # shellcheck disable=SC2086  # the mode is a list of options
    /usr/bin/time -v -o "$log.time" "$resize" $mode --no-store "${threads[@]}" "${files[@]}" \
        >"$out" 2>"$err"
    status=$?
    kb=$(grep -o 'Maximum resident set size (kbytes): [0-9]*' "$log.time" | grep -o '[0-9]*$')
    ((${kb:-0} > bound_kb)) && problem "peak memory ${kb} KiB over the bound: $log"
    reports=$(grep -cE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$err")
    ((reports)) && problem "sanitizer report: $err"
    fails=$(grep -E '^tarvex-resize: ' "$err" | grep -vc '^tarvex-resize: skipped ')
    if ! { ((status == 0 && fails == 0)) || ((status == 1 && fails > 0)); }; then
        problem "exit status $status with $fails failure lines: $err"
    fi
    check_reported "$inputs" "$out" "$err" "$mode"
    echo "${#files[@]} $(wc -l <"$out") $(grep -c '^tarvex-resize: skipped ' "$err") $fails" \
        "$reports ${kb:-0}"
}

run_batch() {
    local folder=$1 batch=${1##*/}
    local log=$work/logs/$batch
    problems_file=$log.problems
    : >"$problems_file"
    find "$folder" -maxdepth 1 -type f | sort >"$log.inputs"
    {
        run_mode "${modes[0]}" "$log-0" "$log.inputs"
        run_mode "${modes[1]}" "$log-1" "$log.inputs"
    } >"$log.counts"
    cat "$log-0.out" "$log-1.out" >"$log.outputs"
    check_leftovers "$folder" "$log.inputs" "$log.outputs"
    echo "== $batch done"
}

start=$SECONDS
for folder in "$work"/inputs/batch-*; do
    while (($(jobs -rp | wc -l) >= 2)); do wait -n; done
    run_batch "$folder" &
done
wait
run_seconds=$((SECONDS - start))

# Sums the columns of every batch's figures.
read -r runs written skipped failed sanitizer < <(cat "$work"/logs/*.counts |
    awk '{for (i = 1; i <= 5; ++i) t[i] += $i} END {print t[1], t[2], t[3], t[4], t[5]}')
peak_kb=$(cat "$work"/logs/*.counts | awk '$6 > m {m = $6} END {print m + 0}')
problems_file=$work/logs/final.problems
: >"$problems_file"

echo "== reading back every output"
cat "$work"/logs/batch-*.outputs >"$work/outputs.txt"
if ! "$build/fuzz/soak_check" "$work/typed-outputs.txt" <"$work/outputs.txt" >"$work/check.txt"
then
    while IFS= read -r line; do problem "$line"; done < <(grep '^BAD' "$work/check.txt")
fi
tail -1 "$work/check.txt"
# Other readers are told the format the content has (an input named .jpg may
# hold a PNG, and its outputs keep the name).
if command -v identify >/dev/null; then
    xargs -d '\n' -n 200 -a "$work/typed-outputs.txt" identify -regard-warnings \
        >/dev/null 2>"$work/identify.txt"
    while IFS= read -r line; do problem "identify: $line"; done <"$work/identify.txt"
    echo "identify: $(wc -l <"$work/typed-outputs.txt") outputs," \
        "$(wc -l <"$work/identify.txt") complaints"
fi
sed -n 's/^PNG://p' "$work/typed-outputs.txt" >"$work/png-outputs.txt"
if command -v pngcheck >/dev/null && [[ -s $work/png-outputs.txt ]]; then
    xargs -d '\n' -n 200 -a "$work/png-outputs.txt" pngcheck -q >"$work/pngcheck.txt" 2>&1
    while IFS= read -r line; do problem "pngcheck: $line"; done <"$work/pngcheck.txt"
    echo "pngcheck: $(wc -l <"$work/png-outputs.txt") PNG outputs," \
        "$(wc -l <"$work/pngcheck.txt") complaints"
fi

echo "== soak summary (batches of $batch_size files, ${run_seconds}s of runs; logs in $work/logs)"
echo "files tried:          $((runs / 2)) (each in both modes)"
echo "outputs written:      $written"
echo "files skipped:        $skipped (over both modes)"
echo "failures reported:    $failed"
echo "peak memory:          $((peak_kb / 1024)) MiB (bound $((bound_kb / 1024)) MiB)"
echo "sanitizer reports:    $sanitizer"
problems=$(cat "$work"/logs/*.problems | wc -l)
if ((problems)); then
    echo "Soak found $problems problems (lines starting with !! above; logs/*.problems)."
    exit 1
fi
echo "Soak passed."
