#!/bin/sh
# Remakes the example reports and protocols of the demo line (docs/examples/, under the default
# names) and their pictures (docs/images/report-progress.png, docs/images/protocol.png): ryn-sim on
# the demo line, the tool running a report and a protocol over every controller.
# Usage: tools/make-examples.sh [BUILD_DIR] [DOCUMENTS_DIR] [IMAGES_DIR]
# Offscreen unless QT_QPA_PLATFORM says otherwise.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$here/build}"
documents="${2:-$here/docs/examples}"
images="${3:-$here/docs/images}"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/ryn-examples.XXXXXX")
mkdir -p "$documents" "$images"
# Earlier examples would make the new ones "_1" files.
rm -f "$documents"/*.csv "$documents"/*.htm
trap 'kill ${sim:-} 2>/dev/null || true; rm -rf "$tmp"' EXIT
. "$here/tools/demo-line.sh"
start_demo_line
# Let the demo's timeline bring a detector into fire and ionistors into charging first.
sleep "${RYN_EXAMPLES_DELAY:-40}"
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$build/bin/ryn-examples" "$documents" "$images" "$tmp/ttyRYN"
ls "$documents"
