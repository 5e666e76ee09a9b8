#!/usr/bin/env bash
# Drives the desktop program `tarvex` as a user does, under a private X
# display: once without a window manager and once under openbox.
#
#   bash tests/desktop/run.sh BUILD_DIR [--wm none|openbox|both] [--only CASE,...]
#
# Each run lives in its own mount namespace (the read-only folder case bind
# mounts a folder read-only there) and its own session bus. Screenshots go
# to BUILD_DIR/desktop-screenshots, case folders to BUILD_DIR/desktop-work.
# Ends with "desktop: N passed, M failed"; exits non-zero on any failure.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: run.sh BUILD_DIR [--wm none|openbox|both] [--only CASE,...]}" && pwd)
shift
wms=(none openbox)
only=""
while (($#)); do
    case $1 in
        --wm) [[ $2 == both ]] && wms=(none openbox) || wms=("$2"); shift 2 ;;
        --only) only=$2; shift 2 ;;
        *) echo "run.sh: unknown option $1" >&2; exit 2 ;;
    esac
done

for binary in tarvex tarvex-resize; do
    if [[ ! -x $build/apps/$binary ]]; then
        echo "run.sh: $build/apps/$binary is not built" >&2
        echo "desktop: 0 passed, 1 failed"
        exit 1
    fi
done

state=$(mktemp -d /tmp/tarvex-desktop.XXXXXX)
# Every process the suite starts is recorded here by PID; whatever happens
# to the suite, their process groups are ended on the way out.
cleanup() {
    local pid
    if [[ -f $state/pids ]]; then
        while read -r pid; do
            kill -KILL -- "-$pid" 2>/dev/null || true
        done <"$state/pids"
    fi
    rm -rf "$state"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

python=/usr/bin/python3
started=$SECONDS
status=0
for wm in "${wms[@]}"; do
    echo "== desktop cases, window manager: $wm"
    unshare --mount --propagation private -- \
        dbus-run-session -- "$python" "$here/suite.py" --build "$build" --wm "$wm" \
        --only "$only" --results "$state/results-$wm.json" --record "$state/pids" \
        2> >(grep -v -E 'Failed to set fd limit|Activating service|Successfully activated' >&2) ||
        status=1
done

"$python" - "$state" "${wms[@]}" <<'PY'
import json, os, sys
state, wms = sys.argv[1], sys.argv[2:]
passed = failed = 0
for wm in wms:
    path = os.path.join(state, f"results-{wm}.json")
    results = json.load(open(path)) if os.path.exists(path) else [{"outcome": "failed"}]
    passed += sum(r["outcome"] == "passed" for r in results)
    failed += sum(r["outcome"] != "passed" for r in results)
with open(os.path.join(state, "counts"), "w") as out:
    out.write(f"{passed} {failed}\n")
PY
read -r passed failed <"$state/counts"
echo "desktop cases took $((SECONDS - started)) s"
echo "desktop: $passed passed, $failed failed"
if ((failed > 0 || status != 0)); then
    exit 1
fi
