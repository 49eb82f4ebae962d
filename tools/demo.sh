#!/bin/sh
# make demo: the tool against simulated controllers 1, 2 and 3 on a pseudo-terminal.
# The simulator reads control lines from this terminal while the tool runs (try "help").
# Extra simulator options: RYN_SIM_OPTIONS="--trace --faults crc=0.01" make demo
# The line over TCP instead, as behind a serial device server: RYN_DEMO_TCP=4001 make demo
# A screenshot after 15 s, then the tool closes: RYN_DEMO_SCREENSHOT=demo.png xvfb-run -a make demo
# Xvfb has no window manager to maximise the window: RYN_DEMO_GEOMETRY=1366x768+0+0 gives it the screen.
set -eu
build="${1:-build}"
here=$(cd "$(dirname "$0")/.." && pwd)
bin="$build/bin"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display (DISPLAY is not set): run 'xvfb-run -a make demo' to start the tool on a virtual" >&2
    echo "screen, or set QT_QPA_PLATFORM=offscreen." >&2
    exit 1
fi
for program in "$bin/ryn-sim" "$bin/testryn"; do
    if [ ! -x "$program" ]; then
        echo "$program is missing: run 'make' first." >&2
        exit 1
    fi
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/ryn-demo.XXXXXX")
link="$tmp/ttyRYN"
# The tool keeps its settings next to its executable, and the simulator points them at its own
# short-lived port: the demo runs a copy of the program, so the user's settings stay as they were.
app="$tmp/app"
mkdir "$app"
cp "$bin/testryn" "$bin/languages.ini" "$app/"
cp -R "$bin/Resources" "$app/"
for file in "$bin"/*.qm "$bin/TestRYN.ini"; do
    if [ -f "$file" ]; then cp "$file" "$app/"; fi
done
sim_pid=""
tail_pid=""
tool_pid=""
cleanup() {
    trap - EXIT INT TERM HUP
    if [ -n "$tool_pid" ]; then kill "$tool_pid" 2>/dev/null || true; fi
    if [ -n "$tail_pid" ]; then kill "$tail_pid" 2>/dev/null || true; fi
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    grep '^COUNTS ' "$tmp/sim.out" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# The simulator gets this script's standard input (a background job would get /dev/null), writes
# "PortName" of the tool's settings and says READY on standard output.
exec 3<&0
# shellcheck disable=SC2086 # the options are meant to be split
line="--link $link"
[ -n "${RYN_DEMO_TCP:-}" ] && line="--tcp $RYN_DEMO_TCP"
"$bin/ryn-sim" $line --scenario "$here/data/sim/demo.json" --settings "$app/TestRYN.ini" \
    ${RYN_SIM_OPTIONS:-} <&3 >"$tmp/sim.out" &
sim_pid=$!
exec 3<&-
tries=0
until grep -q '^READY ' "$tmp/sim.out" 2>/dev/null; do
    if ! kill -0 "$sim_pid" 2>/dev/null; then
        echo "ryn-sim did not start." >&2
        exit 1
    fi
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
        echo "ryn-sim did not get ready within 10 s." >&2
        exit 1
    fi
    sleep 0.1
done
echo "Simulated controllers on $(sed -n 's/^READY //p' "$tmp/sim.out" | head -n 1); type control lines here (help, state 1 17 fire, ...)."
tail -n +2 -f "$tmp/sim.out" &
tail_pid=$!

"$app/testryn" ${RYN_DEMO_GEOMETRY:+-geometry "$RYN_DEMO_GEOMETRY"} &
tool_pid=$!
if [ -n "${RYN_DEMO_SCREENSHOT:-}" ]; then
    sleep "${RYN_DEMO_SCREENSHOT_DELAY:-15}"
    if command -v import >/dev/null 2>&1; then
        import -window root "$RYN_DEMO_SCREENSHOT" && echo "Screenshot written to $RYN_DEMO_SCREENSHOT."
    else
        echo "No screenshot: ImageMagick's import is missing." >&2
    fi
    kill "$tool_pid" 2>/dev/null || true
fi
wait "$tool_pid" || true
tool_pid=""
