#!/usr/bin/env bash
# Figures of the desktop window (not a timed test): start-up time to the
# window shown (median of 10 starts), resident memory when idle, and a job
# of 12 twelve-megapixel JPEGs handed to the window (the command line's
# images are treated as a drop): its longest event-loop stall and its time
# against tarvex-resize on the same files. Uses Qt's offscreen platform
# unless DISPLAY is set; the window writes its figures when TARVEX_BENCH_LOG
# names a file.
#
#     bench/window/window-bench.sh build/release
set -euo pipefail
build=${1:-build/release}
tarvex="$build/apps/tarvex"
resize="$build/apps/tarvex-resize"
[ -x "$tarvex" ] && [ -x "$resize" ] || { echo "build $build first" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-window-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
log="$work/bench.log"

# Starts the window with the given images; waits until it is shown.
start_window() {
    : >"$log"
    TARVEX_BENCH_LOG="$log" "$tarvex" "$@" >/dev/null 2>&1 &
    pid=$!
    until grep -q '^shown_ms' "$log" 2>/dev/null; do sleep 0.01; done
}
stop_window() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }

echo "== start-up to window shown, 10 starts"
times=()
for _ in $(seq 10); do
    start_window
    times+=("$(awk '/^shown_ms/ {print $2}' "$log")")
    stop_window
done
printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {printf "median %.1f ms (goal <= 250)\n", (a[5]+a[6])/2}'

echo "== resident memory when idle"
start_window
sleep 1
awk '/^VmRSS/ {printf "%.1f MiB (goal <= 60)\n", $2/1024}' "/proc/$pid/status"
stop_window

echo "== 12 JPEGs of 12 megapixels (4000 x 3000)"
mkdir -p "$work/window" "$work/cli"
for i in $(seq -w 1 12); do
    convert -size 4000x3000 gradient:red-blue -quality 90 "$work/window/photo$i.jpg"
done
cp "$work"/window/*.jpg "$work/cli/"
expect=24
begin=$(date +%s.%N)
start_window "$work"/window/photo*.jpg
until [ "$(ls "$work/window" | wc -l)" -ge "$expect" ] && ! ls "$work/window" | grep -q '^\.'; do sleep 0.02; done
sleep 0.3  # the end of the job is handled in the window's loop
window_s=$(echo "$(date +%s.%N) - $begin" | bc)
stall=$(awk '/^stall_ms/ {v=$2} END {print v+0}' "$log")
stop_window
cli_s=$( { /usr/bin/time -f %e "$resize" --no-store "$work"/cli/photo*.jpg >/dev/null; } 2>&1 | tail -1)
echo "longest event-loop stall ${stall} ms (goal <= 50)"
echo "window job ${window_s} s (start-up included), tarvex-resize ${cli_s} s (goal <= 1.05x)"

echo "== 5000 small files"
mkdir -p "$work/many"
convert -size 64x48 gradient:green-yellow "$work/many/seed.png"
for i in $(seq 1 5000); do cp "$work/many/seed.png" "$work/many/s$i.png"; done
rm "$work/many/seed.png"
start_window "$work"/many/s*.png
until [ "$(ls "$work/many" | wc -l)" -ge 10000 ]; do sleep 0.1; done
sleep 0.3
echo "longest event-loop stall $(awk '/^stall_ms/ {v=$2} END {print v+0}' "$log") ms (goal <= 50)"
stop_window
