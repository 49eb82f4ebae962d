#!/bin/sh
# Starts the program from the build folder.
set -eu
build="${1:-build}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: run 'xvfb-run -a make demo' to start the tool on a virtual screen." >&2
    exit 1
fi
exec "$build/bin/testryn"
