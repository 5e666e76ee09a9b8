#!/usr/bin/env bash
# Times tarvex-resize side by side with other resizers and with the floor
# (decode + encode of the output sizes alone) on a generated corpus.
#
#   bench/compare.sh            full corpus: 4000x3000 JPEGs, 1920x1080 RGBA PNGs,
#                               one 8000x6000 JPEG; 5 runs per measurement
#   bench/compare.sh --quick    a few smaller files, 3 runs (a couple of minutes)
#
# Options: --runs N, --no-install (do not apt-get the peers), --build DIR.
# Results go to stdout and to bench-results/ in the build directory.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="$root/build-bench"
mode=full
runs=""
install=1
while [ $# -gt 0 ]; do
    case "$1" in
        --quick) mode=quick ;;
        --runs) runs="$2"; shift ;;
        --no-install) install=0 ;;
        --build) build="$2"; shift ;;
        *) echo "unknown option: $1" >&2; exit 2 ;;
    esac
    shift
done

# The peers Debian packages; a peer that cannot be installed is skipped.
if [ "$install" = 1 ] && [ "$(id -u)" = 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >/dev/null 2>&1 || true
    for package in time imagemagick graphicsmagick libvips-tools python3-pil; do
        apt-get install -y -qq "$package" >/dev/null 2>&1 || echo "skipping peer package $package" >&2
    done
fi

# An optimised build of the resizer and of the corpus and floor programs.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX_BENCH=ON >/dev/null
cmake --build "$build" --target tarvex-resize tarvex_bench_floor tarvex_bench_corpus -j"$(nproc)" \
    >/dev/null

exec python3 "$here/compare.py" --mode "$mode" ${runs:+--runs "$runs"} \
    --resize "$build/apps/tarvex-resize" --floor "$build/bench/tarvex_bench_floor" \
    --corpus-tool "$build/bench/tarvex_bench_corpus" --work "$build/bench-results"
