#!/usr/bin/env bash
# One operator session with the real program on a virtual X screen, real mouse and keys (xdotool), against
# the controller simulator; checks the frames the simulator decoded and the files the program wrote.
#   operator_session.sh VIDEOWALL VIDEOWALL_SIM SCREENGRAB
# Exits 77 (skipped) without Xvfb or xdotool; on failure leaves a screenshot and the logs here.
set -uo pipefail
videowall="$(realpath "$1")" sim="$(realpath "$2")" grab="$(realpath "$3")"
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/test installs it)"; exit 77; }
done
# The main window is frameless, 1024 x 680 and centred: on a screen of that size window and screen
# coordinates agree. The landscape wall is 640 x 360 scene units, drawn at scale 1.
W=1024 H=680
out="$PWD" work="$(mktemp -d "${TMPDIR:-/tmp}/videowall-e2e.XXXXXX")"
xvfb="" simpid="" app=""
stop() { [ -n "$1" ] && kill "$1" 2>/dev/null && { timeout 5 tail --pid="$1" -f /dev/null || kill -9 "$1"; } 2>/dev/null; }
trap 'stop "$app"; stop "$simpid"; stop "$xvfb"; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    "$grab" "$out/operator_session-failure.png" 2>/dev/null
    cp "$work/sim.out" "$out/operator_session-sim.log"; cp "$work/program.log" "$out/operator_session-program.log"
    echo "  see operator_session-failure.png, -sim.log and -program.log in $out"
    exit 1
}
# Polls a command every 0.1 s for at most $1 seconds.
wait_for() {
    local i n=$(($1 * 10)); shift
    for ((i = 0; i < n; i++)); do "$@" && return 0; sleep 0.1; done
    "$@"
}

# Xvfb picks a free display and writes its number to fd 3, so parallel runs never collide.
Xvfb -displayfd 3 -screen 0 "${W}x${H}x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
wait_for 20 test -s "$work/display" || { echo "SKIP: no X server could start"; cat "$work/xvfb.log"; exit 77; }
export DISPLAY=":$(head -n 1 "$work/display")" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 QT_AUTO_SCREEN_SCALE_FACTOR=0
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Sums up the screen: "B y x1-x2 ..." for each pixel row with runs of button pixels (blue, or white text on
# blue), and a last line "W left top right bottom", the outline of the wall: the rows below the title bar
# with a dark line at least 400 pixels long.
probe() {
    "$grab" "$work/screen.ppm" 2>/dev/null || return 1
    tail -c $((W * H * 3)) "$work/screen.ppm" | od -An -v -tu1 -w$((W * 3)) | awk '
    {   y = NR - 1; longest = 0; dark = 0; runs = ""; start = -1
        for (i = 0; i <= NF / 3; i++) {
            if (i < NF / 3) { r = $(3 * i + 1); g = $(3 * i + 2); b = $(3 * i + 3) } else r = g = b = 128
            if (r < 64 && g < 64 && b < 64) { if (dark++ == 0) at = i; if (dark > longest) { longest = dark; from = at } }
            else dark = 0
            blue = r <= 120 && b >= 200
            if (b >= 250 || blue) { if (start < 0) { start = i; inblue = 0 } inblue += blue }
            else if (start >= 0) { if (i - start >= 10 && inblue * 3 >= i - start) runs = runs " " start "-" (i - 1); start = -1 }
        }
        if (longest >= 400 && y >= 40) { if (top == "") { top = y; left = from; right = from + longest - 1 } bottom = y }
        if (runs != "") print "B", y runs
    }
    END { print "W", left, top, right, bottom }' >"$work/probe"
}
# The centres "x y" of the buttons between rows $1 and $2, left to right: the runs of the row that crosses
# the most buttons, each centred on its own vertical extent.
buttons() {
    awk -v y0="$1" -v y1="$2" '
    function covers(y, x,   k, n, p, a) {
        n = split(rows[y], p, " ")
        for (k = 1; k <= n; k++) { split(p[k], a, "-"); if (a[1] <= x && x <= a[2]) return 1 }
    }
    $1 == "B" && $2 >= y0 && $2 <= y1 {
        rows[$2] = ""; width = 0
        for (i = 3; i <= NF; i++) { rows[$2] = rows[$2] " " $i; split($i, a, "-"); width += a[2] - a[1] }
        if (NF > bestcount || (NF == bestcount && width > bestwidth)) { bestcount = NF; bestwidth = width; best = $2 }
    }
    END {
        n = split(rows[best], p, " ")
        for (k = 1; k <= n; k++) {
            split(p[k], a, "-"); x = int((a[1] + a[2]) / 2)
            for (lo = best; (lo - 1) in rows && covers(lo - 1, x); lo--);
            for (hi = best; (hi + 1) in rows && covers(hi + 1, x); hi++);
            print x, int((lo + hi) / 2)
        }
    }' "$work/probe"
}
window_of() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
shown() { dialog="$(window_of "$1")"; [ -n "$dialog" ]; }
gone() { [ -z "$(window_of "$1")" ]; }
geometry() { xdotool getwindowgeometry --shell "$1" | awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'; }
click() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool click "${3:-1}"; sleep 0.2; }
# A left-button drag in small steps, in scene units, so that every handler sees the motion.
drag() {
    local i
    xdotool mousemove $((wx + $1 - 2)) $((wy + $2)); sleep 0.1; xdotool mousemove $((wx + $1)) $((wy + $2)); sleep 0.2
    xdotool mousedown 1; sleep 0.2
    for ((i = 1; i <= 8; i++)); do xdotool mousemove $((wx + $1 + ($3 - $1) * i / 8)) $((wy + $2 + ($4 - $2) * i / 8)); sleep 0.05; done
    sleep 0.2; xdotool mouseup 1; sleep 0.2
}
# Item $3 of the six of a free window's menu at scene ($1, $2), sharing its height inside border and padding.
popup() { menu="$(xdotool search --onlyvisible --class '^videowall$' | grep -vx "$main" | head -n 1)"; [ -n "$menu" ]; }
menu_pick() {
    click $((wx + $1)) $((wy + $2)) 3
    wait_for 10 popup || fail "no context menu at scene ($1, $2)"
    read -r x y w h < <(geometry "$menu")
    click $((x + w / 2)) $((y + 3 + (h - 6) * (2 * $3 + 1) / 12))
}
expect_frame() { wait_for 20 grep -Fxq -- "$1" "$work/sim.out" || fail "the simulator never showed: $1"; }

"$sim" --link "$work/port" >"$work/sim.out" 2>"$work/sim.err" &
simpid=$!
wait_for 20 test -L "$work/port" || fail "videowall-sim did not publish its link: $(cat "$work/sim.err")"
printf '[Config]\nopenModel=true\ncurrPort=%s\nlangType=English\nSceneRow=12\nSceneColumn=12\nSceneType=0\n' \
    "$work/port" >"$work/UserData.data"
(cd "$work" && exec "$videowall") >"$work/program.log" 2>&1 &
app=$!
# Ready when the wall and the buttons are painted: Setting and Connect in the title bar, seven buttons on
# the splice settings strip.
ready() {
    kill -0 "$app" 2>/dev/null || fail "the program ended at start"
    probe && read -r _ wx wy wr wb < <(grep '^W' "$work/probe") && [ -n "$wb" ] || return 1
    mapfile -t title < <(buttons 0 39) && mapfile -t strip < <(buttons 40 $((wy - 1)))
    [ ${#title[@]} -eq 2 ] && [ ${#strip[@]} -eq 7 ]
}
wait_for 30 ready || fail "the main screen did not show the wall, the title and the strip buttons"
main="$(xdotool search --onlyvisible --class '^videowall$' | while read -r w; do
    [ "$(geometry "$w")" = "0 0 $W $H" ] && echo "$w"; done | head -n 1)"
[ -n "$main" ] || fail "no main window of $W x $H at 0,0"
[ $((wr - wx)) -eq 640 ] && [ $((wb - wy)) -eq 360 ] || fail "the wall is not drawn at scale 1: $wx,$wy to $wr,$wb"

# Connect (the stored port): it turns grey, so the second enabled button of the title bar is Disconnect.
read -r cx cy <<<"${title[1]}"
click "$cx" "$cy"
connected() { probe && mapfile -t title < <(buttons 0 39) && [ ${#title[@]} -eq 2 ] && [ "${title[1]%% *}" -gt "$cx" ]; }
wait_for 20 connected || fail "Connect did not connect"
# A new window from scene (100, 50) to (260, 140); then address 7 in the address dialog, typed over the
# window's address -1 in the field that has the focus (it takes 0 to 63: 799 gives 7); Tab leads to Ok.
drag 100 50 260 140
menu_pick 180 95 1
wait_for 10 shown "Address Setting" || fail "the address dialog did not open"
wait_for 10 test "$(xdotool getwindowfocus)" = "$dialog" || fail "the address dialog did not take the keyboard"
xdotool key ctrl+a type 799
sleep 0.2
xdotool key Tab space
wait_for 10 gone "Address Setting" || fail "Ok did not close the address dialog"
drag 180 95 300 155
expect_frame "position target=7 x=1320 y=660 width=960 height=540"
# The menu's Full fills the wall.
menu_pick 300 155 0
expect_frame "position target=7 x=0 y=0 width=3840 height=2160"
# The title bar's close button: the last of its buttons, 20 x 20, 10 pixels from the right edge.
click $((W - 20)) 20
wait_for 30 eval '! kill -0 "$app" 2>/dev/null' || fail "the close button did not end the program"
wait "$app" || fail "the program exited with status $?"
app=""

stop "$simpid"
frames="$(tail -n +2 "$work/sim.out")"
expected="position target=7 x=1320 y=660 width=960 height=540
position target=7 x=0 y=0 width=3840 height=2160"
[ "$frames" = "$expected" ] || fail "the frames differ from the session's: $frames"
layout='{"items":[{"address":{"x":7},"position":{"height":2160,"width":3840,"x":0,"y":0},"rotate":0,"type":0}]}'
[ "$(cat "$work/SpliceState.data")" = "$layout" ] || fail "SpliceState.data does not hold the full-wall window at 7"
echo "PASS: the frames of the session and SpliceState.data"
