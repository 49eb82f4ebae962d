# Sourced by the scripts that walk the tool through the demo line. start_demo_line starts ryn-sim
# with the demo scenario on "$tmp/ttyRYN", sets $sim and waits until the simulator is ready.
# Needs $here, $build and $tmp; the caller's EXIT trap stops ${sim:-}.
start_demo_line() {
    "$build/bin/ryn-sim" --link "$tmp/ttyRYN" --scenario "$here/data/sim/demo.json" </dev/null >"$tmp/sim.out" &
    sim=$!
    until grep -q '^READY ' "$tmp/sim.out" 2>/dev/null; do
        if ! kill -0 "$sim" 2>/dev/null; then
            echo "ryn-sim did not start." >&2
            exit 1
        fi
        sleep 0.1
    done
}
