#!/bin/sh
# Retakes the README's screenshots: ryn-sim on the demo line, the tool walked through its views.
# Usage: tools/take-screenshots.sh [BUILD_DIR] [OUTPUT_DIR]
# Offscreen unless QT_QPA_PLATFORM says otherwise (xcb under xvfb-run shows what a person sees).
# RYN_SHOTS_LANG=EN takes them in English.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$here/build}"
out=$(realpath -m "${2:-$here/docs/images}")
tmp=$(mktemp -d "${TMPDIR:-/tmp}/ryn-shots.XXXXXX")
mkdir -p "$out"
trap 'kill ${sim:-} 2>/dev/null || true; rm -rf "$tmp"' EXIT
. "$here/tools/demo-line.sh"
start_demo_line
# Let the demo's timeline bring a detector into fire and ionistors into charging first.
sleep "${RYN_SHOTS_DELAY:-40}"
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$build/bin/ryn-screenshots" "$out" "$tmp/ttyRYN" "${RYN_SHOTS_SECONDS:-8}"
