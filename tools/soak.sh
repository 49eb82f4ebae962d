#!/bin/sh
# Soak run: the tool against ryn-sim for a set time on a line that spoils 30 % of the answers, the
# simulator killed and started again at random moments, events raised at a steady rate. Prints the
# tool's memory and CPU every 10 s and a summary table at the end; exits 1 when a goal was missed.
#
#   tools/soak.sh                 # 10 minutes
#   tools/soak.sh 2 --faults off  # 2 minutes on a clean line
#
# Further options go to build/bin/ryn-soak (`build/bin/ryn-soak --help`).
set -eu
cd "$(dirname "$0")/.."
minutes="${1:-10}"
[ $# -gt 0 ] && shift
build="${BUILD_DIR:-build}"
make build BUILD_DIR="$build" > /dev/null
QT_QPA_PLATFORM=offscreen exec "$build/bin/ryn-soak" --seconds "$((minutes * 60))" "$@"
