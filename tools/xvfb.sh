# Sourced by the scripts that need a screen of their own: a private Xvfb on a
# free display number, ended when the script ends.

start_private_xvfb() {
    local number=77
    while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
        number=$((number + 1))
    done
    Xvfb ":$number" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
    PRIVATE_XVFB_PID=$!
    PRIVATE_DISPLAY=":$number"
    local tries
    for tries in $(seq 50); do
        DISPLAY=$PRIVATE_DISPLAY xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on $PRIVATE_DISPLAY" >&2
    return 1
}

stop_private_xvfb() {
    [ -n "${PRIVATE_XVFB_PID:-}" ] && kill "$PRIVATE_XVFB_PID" 2>/dev/null
    PRIVATE_XVFB_PID=
}

# Sets `display` to the display in VEILMARK_TEST_DISPLAY, else to a private
# Xvfb started here.
choose_test_display() {
    if [ -n "${VEILMARK_TEST_DISPLAY:-}" ]; then
        display=$VEILMARK_TEST_DISPLAY
    else
        start_private_xvfb
        display=$PRIVATE_DISPLAY
    fi
}
