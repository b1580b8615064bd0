#!/usr/bin/env bash
# One operator session with the real program on a virtual X screen, driven by real mouse and key events
# (xdotool) against the controller simulator: connect, draw a window on the wall, give it address 7,
# drag it, fill the wall with it, switch to HDMI1, reset, save the layout, close. Then checks every frame
# the simulator decoded, in order, and the files the program wrote.
#
#   operator_session.sh VIDEOWALL VIDEOWALL_SIM SCREENGRAB
#
# Exits 77 (skipped) when Xvfb or xdotool is missing or no X server starts. On failure it leaves a
# screenshot, the simulator's lines and the program's output in the current folder and names them.
set -uo pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 VIDEOWALL VIDEOWALL_SIM SCREENGRAB" >&2
    exit 2
fi
videowall="$(realpath "$1")" sim="$(realpath "$2")" grab="$(realpath "$3")"
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/test installs it)"
        exit 77
    fi
done

# The main window is frameless, fixed at 1024 x 680 and centred: on a screen of exactly that size it sits
# at 0,0, so window and screen coordinates agree.
SCREEN_W=1024 SCREEN_H=680
# The wall picture of the landscape scene type, in scene units, drawn at scale 1.
WALL_W=640 WALL_H=360

out="$PWD"
rm -f "$out/operator_session-failure.png" "$out/operator_session-sim.log" "$out/operator_session-program.log"
work="$(mktemp -d "${TMPDIR:-/tmp}/videowall-e2e.XXXXXX")"
xvfb_pid="" sim_pid="" app_pid=""

# Ends one process started here: SIGTERM, up to 5 s to go, then SIGKILL.
stop() {
    [ -n "$1" ] || return 0
    kill -TERM "$1" 2>/dev/null || return 0
    local i
    for ((i = 0; i < 50; i++)); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

cleanup() {
    stop "$app_pid"
    stop "$sim_pid"
    stop "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "FAIL: $*"
    local shot="$out/operator_session-failure.png"
    if [ -n "$xvfb_pid" ] && "$grab" "$shot" 2>/dev/null; then
        echo "  screenshot: $shot"
    fi
    cp "$work/sim.out" "$out/operator_session-sim.log" 2>/dev/null &&
        echo "  simulator lines: $out/operator_session-sim.log"
    cp "$work/program.log" "$out/operator_session-program.log" 2>/dev/null &&
        echo "  program output: $out/operator_session-program.log"
    exit 1
}

# Polls a command every 0.1 s for at most $1 seconds.
wait_for() {
    local seconds="$1"
    shift
    local i
    for ((i = 0; i < seconds * 10; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}

# ---- the virtual screen ------------------------------------------------------------------------------

# Xvfb picks a free display itself and writes its number to fd 3, so parallel runs never collide.
Xvfb -displayfd 3 -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display_ready() { [ -s "$work/display" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; }
wait_for 20 display_ready
if ! kill -0 "$xvfb_pid" 2>/dev/null || [ ! -s "$work/display" ]; then
    echo "SKIP: no X server could start:"
    cat "$work/xvfb.log"
    xvfb_pid=""
    exit 77
fi
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 QT_AUTO_SCREEN_SCALE_FACTOR=0
# Keep the file dialog's history and Qt's runtime files out of the operator's home.
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# ---- reading the screen ------------------------------------------------------------------------------

# Saves the screen and sums it up, one line per pixel row that has blue in it:
#   B y blue-pixels x1-x2 ...   the runs of button pixels (blue, or white text on blue) in that row
# and one last line
#   W left top right bottom    the outline of the wall: the rows below the title bar with a black
#                              line at least 400 pixels long
probe() {
    "$grab" "$work/screen.ppm" 2>/dev/null || return 1
    local header
    header=$(head -n 3 "$work/screen.ppm" | wc -c)
    tail -c +"$((header + 1))" "$work/screen.ppm" | od -An -v -tu1 -w$((SCREEN_W * 3)) | awk '
    {
        y = NR - 1; n = NF / 3; longest = 0; from = 0; dark = 0; blue = 0; runs = ""; start = -1
        for (i = 0; i <= n; i++) {
            if (i < n) { r = $(3 * i + 1); g = $(3 * i + 2); b = $(3 * i + 3) } else r = g = b = 128
            if (r < 64 && g < 64 && b < 64) {
                if (dark++ == 0) at = i
                if (dark > longest) { longest = dark; from = at }
            } else dark = 0
            isblue = (r <= 120 && b >= 200)
            blue += isblue
            if (b >= 250 || isblue) {
                if (start < 0) { start = i; inblue = 0 }
                inblue += isblue
            } else if (start >= 0) {
                if (i - start >= 10 && inblue * 3 >= i - start) runs = runs " " start "-" (i - 1)
                start = -1
            }
        }
        if (longest >= 400 && y >= 40) {
            if (top == "") { top = y; left = from; right = from + longest - 1 }
            bottom = y
        }
        if (blue > 0) print "B", y, blue runs
    }
    END { print "W", left, top, right, bottom }' >"$work/probe"
}

# The centres "x y" of the buttons inside the box Y0..Y1 x X0..X1 of the last probe, left to right:
# the runs of the row that crosses the most buttons, each centred on its own vertical extent.
buttons() {
    awk -v y0="$1" -v y1="$2" -v x0="$3" -v x1="$4" '
    function covers(y, x,   k, n, p, a) {
        n = split(rows[y], p, " ")
        for (k = 1; k <= n; k++) { split(p[k], a, "-"); if (a[1] <= x && x <= a[2]) return 1 }
        return 0
    }
    $1 == "B" && $2 >= y0 && $2 <= y1 {
        y = $2; rows[y] = ""; count = 0; width = 0
        for (i = 4; i <= NF; i++) {
            split($i, a, "-")
            if (a[1] >= x0 && a[2] <= x1) { rows[y] = rows[y] " " $i; count++; width += a[2] - a[1] }
        }
        if (count > bestcount || (count == bestcount && width > bestwidth)) {
            bestcount = count; bestwidth = width; best = y
        }
    }
    END {
        if (best == "") exit 1
        n = split(rows[best], p, " ")
        for (k = 1; k <= n; k++) {
            split(p[k], a, "-"); x = int((a[1] + a[2]) / 2)
            lo = best; while ((lo - 1) in rows && covers(lo - 1, x)) lo--
            hi = best; while ((hi + 1) in rows && covers(hi + 1, x)) hi++
            print x, int((lo + hi) / 2)
        }
    }' "$work/probe"
}

# Geometry of a visible window as "X Y WIDTH HEIGHT".
geometry() {
    xdotool getwindowgeometry --shell "$1" | awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
}

# The first visible window titled exactly $1.
find_window() {
    local w
    w="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)"
    [ -n "$w" ] && echo "$w"
}
# Sets dialog to the window titled $1 once it is shown.
dialog_shown() { dialog="$(find_window "$1")"; }
window_gone() { [ -z "$(find_window "$1")" ]; }

focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# The open context menu: the program's one visible window that is not the main window and has no title.
find_popup() {
    local w
    for w in $(xdotool search --onlyvisible --class '^videowall$' 2>/dev/null); do
        [ "$w" = "$main_window" ] && continue
        xdotool getwindowname "$w" 2>/dev/null | grep -qv '^videowall$' && continue
        echo "$w"
        return 0
    done
    return 1
}

popup_shown() { popup="$(find_popup)"; }

# ---- input -------------------------------------------------------------------------------------------

click() {
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool click "${3:-1}"
    sleep 0.2
}

# A left-button drag in small steps, so that every handler sees the motion.
drag() {
    local x1="$1" y1="$2" x2="$3" y2="$4" i steps=8
    xdotool mousemove $((x1 - 2)) "$y1"
    sleep 0.1
    xdotool mousemove "$x1" "$y1"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.2
    for ((i = 1; i <= steps; i++)); do
        xdotool mousemove $((x1 + (x2 - x1) * i / steps)) $((y1 + (y2 - y1) * i / steps))
        sleep 0.05
    done
    sleep 0.2
    xdotool mouseup 1
    sleep 0.2
}

# Opens the context menu of the window under scene point ($1, $2) and picks item $3 (0 = "Full",
# 1 = "Address", ...: the six items of an open-model window). The items share the menu's height evenly
# inside its 1-pixel border and 2-pixel padding (the application style sheet).
menu_pick() {
    click $((wall_x + $1)) $((wall_y + $2)) 3
    popup=""
    wait_for 10 popup_shown || fail "no context menu on the window at scene ($1, $2)"
    local x y w h
    read -r x y w h < <(geometry "$popup")
    click $((x + w / 2)) $((y + 3 + (h - 6) * (2 * $3 + 1) / 12))
}

# Waits until the simulator has printed exactly this line.
expect_frame() {
    wait_for 20 grep -Fxq -- "$1" "$work/sim.out" || fail "the simulator never showed: $1"
}

# ---- the controller simulator and the program --------------------------------------------------------

link="$work/port"
"$sim" --link "$link" >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
wait_for 20 test -L "$link" || fail "videowall-sim did not publish $link: $(cat "$work/sim.err")"

# The program's own defaults, in the open model, with the simulator as its port.
printf '[Config]\nopenModel=true\ncurrPort=%s\nlangType=English\nSceneRow=12\nSceneColumn=12\nSceneType=0\n' \
    "$link" >"$work/UserData.data"
printf 'SpliceRow=2\nSpliceColumn=3\nedgeX=0\nedgeY=0\n' >>"$work/UserData.data"

(cd "$work" && exec "$videowall") >"$work/program.log" 2>&1 &
app_pid=$!

# Ready when the wall and the buttons are painted: two enabled buttons in the title bar (Setting,
# Connect) and seven on the splice settings strip.
screen_ready() {
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended at start"
    probe || return 1
    read -r _ wall_left wall_top wall_right wall_bottom < <(grep '^W' "$work/probe")
    [ -n "$wall_bottom" ] || return 1
    mapfile -t title < <(buttons 0 39 0 $((SCREEN_W - 1)))
    mapfile -t strip < <(buttons 40 $((wall_top - 1)) 0 $((SCREEN_W - 1)))
    [ ${#title[@]} -eq 2 ] && [ ${#strip[@]} -eq 7 ]
}
wait_for 30 screen_ready || fail "the main screen did not show the wall, title and strip buttons"
main_window="$(xdotool search --onlyvisible --class '^videowall$' 2>/dev/null | while read -r w; do
    [ "$(geometry "$w")" = "0 0 $SCREEN_W $SCREEN_H" ] && echo "$w"; done | head -n 1)"
[ -n "$main_window" ] || fail "no main window of ${SCREEN_W} x ${SCREEN_H} at 0,0"
# The outline is a 1-pixel line from scene 0 to scene W: W + 1 pixels at scale 1.
if [ $((wall_right - wall_left)) -ne $WALL_W ] || [ $((wall_bottom - wall_top)) -ne $WALL_H ]; then
    fail "the wall is not drawn at scale 1: $wall_left,$wall_top to $wall_right,$wall_bottom"
fi
wall_x=$wall_left wall_y=$wall_top
read -r connect_x connect_y <<<"${title[1]}"
read -r hdmi1_x hdmi1_y <<<"${strip[1]}"
read -r reset_x reset_y <<<"${strip[4]}"
read -r save_x save_y <<<"${strip[5]}"

# ---- the session -------------------------------------------------------------------------------------

# Connect: the link opens, so Connect turns grey and the second enabled button is Disconnect.
click "$connect_x" "$connect_y"
connected() {
    probe && mapfile -t title < <(buttons 0 39 0 $((SCREEN_W - 1))) &&
        [ ${#title[@]} -eq 2 ] && [ "${title[1]%% *}" -gt "$connect_x" ]
}
wait_for 20 connected || fail "Connect did not connect to $link"

# A new window with the rubber band: scene (100, 50) to (260, 140), that is wall units (600, 300, 960,
# 540). It has no address yet, so nothing is sent.
drag $((wall_x + 100)) $((wall_y + 50)) $((wall_x + 260)) $((wall_y + 140))

# Address 7 through the context menu and the address dialog.
menu_pick 180 95 1
dialog=""
wait_for 10 dialog_shown "Address Setting" || fail "the address dialog did not open"
wait_for 10 focused "$dialog" || fail "the address dialog did not take the keyboard"
read -r dx dy dw dh < <(geometry "$dialog")
dialog_ready() {
    probe && mapfile -t dialog_buttons < <(buttons "$dy" $((dy + dh - 1)) "$dx" $((dx + dw - 1))) &&
        [ ${#dialog_buttons[@]} -eq 2 ]
}
wait_for 10 dialog_ready || fail "the address dialog did not show its Ok and Cancel buttons"
# The address field has the focus; it shows the window's address -1 until replaced.
xdotool key ctrl+a
sleep 0.1
xdotool type 7
sleep 0.2
read -r ok_x ok_y <<<"${dialog_buttons[0]}"
click "$ok_x" "$ok_y"
wait_for 10 window_gone "Address Setting" || fail "Ok did not close the address dialog"

# Drag its inside by (120, 60) scene units: wall units (1320, 660, 960, 540), sent to address 7.
drag $((wall_x + 180)) $((wall_y + 95)) $((wall_x + 300)) $((wall_y + 155))
expect_frame "position target=7 x=1320 y=660 width=960 height=540"

# "Full" from its context menu.
menu_pick 300 155 0
expect_frame "position target=7 x=0 y=0 width=3840 height=2160"

# The splice settings strip.
click "$hdmi1_x" "$hdmi1_y"
expect_frame "signal source=2"
click "$reset_x" "$reset_y"
expect_frame "reset target=255"

# Save through Qt's own file dialog: the file name field has the focus; it opens in the program's folder.
click "$save_x" "$save_y"
dialog=""
wait_for 10 dialog_shown "Save As" || fail "the Save As dialog did not open"
wait_for 10 focused "$dialog" || fail "the Save As dialog did not take the keyboard"
xdotool type operator-layout.json
sleep 0.2
xdotool key Return
wait_for 10 test -s "$work/operator-layout.json" || fail "Save wrote no operator-layout.json"
wait_for 10 window_gone "Save As" || fail "the Save As dialog stayed open"

# The title bar's close button: the last of its buttons, 20 x 20, 10 pixels from the right edge.
click $((SCREEN_W - 20)) 20
program_ended() { ! kill -0 "$app_pid" 2>/dev/null; }
wait_for 30 program_ended || fail "the close button did not end the program"
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program exited with status $status"

# ---- what reached the controller and the disk --------------------------------------------------------

stop "$sim_pid"
sim_pid=""
expected="position target=7 x=1320 y=660 width=960 height=540
position target=7 x=0 y=0 width=3840 height=2160
signal source=2
reset target=255"
frames="$(tail -n +2 "$work/sim.out")"
[ "$frames" = "$expected" ] || fail "the frames differ from the session's:
--- expected
$expected
--- decoded
$frames"

layout='{"items":[{"address":{"x":7},"position":{"height":2160,"width":3840,"x":0,"y":0},"rotate":0,"type":0}]}'
[ "$(cat "$work/SpliceState.data")" = "$layout" ] ||
    fail "SpliceState.data does not hold the full-wall window with address 7: $(cat "$work/SpliceState.data")"
[ "$(cat "$work/operator-layout.json")" = "$layout" ] ||
    fail "the saved layout does not hold the full-wall window with address 7: $(cat "$work/operator-layout.json")"
grep -qx 'openModel=true' "$work/UserData.data" || fail "UserData.data lost openModel=true"
grep -qxF "currPort=$link" "$work/UserData.data" || fail "UserData.data lost the port"

echo "PASS: $(wc -l <<<"$frames") frames as expected; SpliceState.data, UserData.data and the saved layout"
