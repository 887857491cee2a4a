# Shared helpers for the end-to-end tests: the built zwmap on a private Xvfb display, driven
# with xdotool, checked by looking at regions of screenshots.
#
# A test script sources this file with the zwmap binary as its first argument:
#   source "$(dirname "$0")/lib.sh" "$1"
#   e2e_start
#   ...
#   e2e_pass
#
# Screenshots go to <build dir>/e2e-shots/<test name>/; on failure their paths are printed.

set -euo pipefail
# The tests read the window's English texts (titles, menus) whatever the machine's language;
# test_language.sh unsets this to see the desktop's language take effect.
export LANGUAGE=en

E2E_APP=${1:-}
E2E_NAME=$(basename "${BASH_SOURCE[1]:-$0}" .sh)
E2E_SCREEN_W=1280
E2E_SCREEN_H=800
# Where the main window is put and how big it is made, in root coordinates.
E2E_WIN_X=0
E2E_WIN_Y=0
E2E_WIN_W=1000
E2E_WIN_H=640

E2E_XVFB_PID=
E2E_APP_PID=
E2E_DISPLAY=
E2E_WIN=
E2E_SHOT_COUNT=0
E2E_LAST_SHOT=
E2E_SHOT_DIR=

e2e_log() { printf '[%s] %s\n' "$E2E_NAME" "$*"; }

# Fails the test: prints why, the screenshots taken so far and the app's output.
e2e_fail() {
    printf '[%s] FAIL: %s\n' "$E2E_NAME" "$*" >&2
    if [ -n "$E2E_SHOT_DIR" ] && [ -d "$E2E_SHOT_DIR" ]; then
        local shot
        if [ -n "$E2E_LAST_SHOT" ]; then
            printf '[%s] last screenshot: %s\n' "$E2E_NAME" "$E2E_LAST_SHOT" >&2
        fi
        printf '[%s] screenshots of this run (crops beside them):\n' "$E2E_NAME" >&2
        for shot in "$E2E_SHOT_DIR"/[0-9][0-9]-*.png; do
            case $shot in *-crop-* | *-mask* | *-labels* | *-right*) continue ;; esac
            [ -e "$shot" ] && printf '  %s\n' "$shot" >&2
        done
        if [ -s "$E2E_SHOT_DIR/app.log" ]; then
            printf '[%s] app output (tail):\n' "$E2E_NAME" >&2
            tail -n 20 "$E2E_SHOT_DIR/app.log" >&2
        fi
    fi
    exit 1
}

e2e_require_tools() {
    local missing=() tool
    for tool in Xvfb xdotool import convert compare identify xdpyinfo; do
        command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "[$E2E_NAME] FAIL: missing tools: ${missing[*]}." >&2
        echo "[$E2E_NAME] Install them with scripts/setup (packages xvfb, xdotool, imagemagick, x11-utils)." >&2
        exit 1
    fi
    if [ -z "$E2E_APP" ] || [ ! -x "$E2E_APP" ]; then
        echo "[$E2E_NAME] FAIL: no zwmap binary given or not executable: '$E2E_APP'" >&2
        exit 1
    fi
}

e2e_cleanup() {
    # Only what this script started, by process id.
    if [ -n "$E2E_APP_PID" ]; then
        kill "$E2E_APP_PID" 2>/dev/null || true
        wait "$E2E_APP_PID" 2>/dev/null || true
    fi
    if [ -n "$E2E_XVFB_PID" ]; then
        kill "$E2E_XVFB_PID" 2>/dev/null || true
        wait "$E2E_XVFB_PID" 2>/dev/null || true
    fi
    if [ -n "${E2E_DISPLAYFD_FILE:-}" ]; then rm -f "$E2E_DISPLAYFD_FILE"; fi
}

# Polls a command until it succeeds or the timeout (seconds) passes.
e2e_wait_for() {
    local timeout=$1
    shift
    local deadline=$((SECONDS + timeout))
    while true; do
        if "$@"; then return 0; fi
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.2
    done
}

e2e_start_xvfb() {
    E2E_DISPLAYFD_FILE=$(mktemp)
    # -displayfd lets the server pick a free display number and tell us which.
    # -noreset: without it the server resets when its last client (xdpyinfo below) leaves,
    # and a client connecting during the reset is turned away.
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN_W}x${E2E_SCREEN_H}x24" -nolisten tcp -noreset \
        3>"$E2E_DISPLAYFD_FILE" >"$E2E_SHOT_DIR/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    local number=
    for _ in $(seq 100); do
        number=$(tr -dc '0-9' <"$E2E_DISPLAYFD_FILE")
        [ -n "$number" ] && break
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_fail "Xvfb exited at start (see $E2E_SHOT_DIR/xvfb.log)"
        sleep 0.1
    done
    [ -n "$number" ] || e2e_fail "Xvfb did not report a display number"
    E2E_DISPLAY=:$number
    export DISPLAY=$E2E_DISPLAY
    e2e_wait_for 10 xdpyinfo >/dev/null 2>&1 || e2e_fail "Xvfb on $DISPLAY does not answer"
}

e2e_find_window() {
    E2E_WIN=$(xdotool search --onlyvisible --name "${E2E_WINDOW_NAME:-^zwmap\$}" 2>/dev/null | head -n 1)
    [ -n "$E2E_WIN" ]
}

# Starts Xvfb and zwmap, places the window at a known position and size and gives it the focus.
e2e_start() {
    E2E_SHOT_DIR="$(dirname "$E2E_APP")/e2e-shots/$E2E_NAME"
    rm -rf "$E2E_SHOT_DIR"
    mkdir -p "$E2E_SHOT_DIR"
    # The settings zwmap keeps (the recent sessions, the preferences) and its recovery copies
    # stay with the run, never the user's own.
    export XDG_CONFIG_HOME="$E2E_SHOT_DIR/config"
    export XDG_DATA_HOME="$E2E_SHOT_DIR/data"
    trap e2e_cleanup EXIT
    trap 'exit 1' INT TERM
    e2e_start_xvfb
    e2e_launch
}

# Starts zwmap (with the given arguments) on the test's display, places the window at a known
# position and size and gives it the focus. E2E_WINDOW_NAME is the title to look for.
e2e_launch() {
    # No window manager: Qt's default style and a plain X server, like the CI machine.
    QT_QPA_PLATFORM=xcb "$E2E_APP" "$@" >>"$E2E_SHOT_DIR/app.log" 2>&1 &
    E2E_APP_PID=$!
    e2e_wait_for 30 e2e_find_window || e2e_fail "no window named zwmap appeared within 30 s"
    xdotool windowmove --sync "$E2E_WIN" "$E2E_WIN_X" "$E2E_WIN_Y" >/dev/null 2>&1 ||
        xdotool windowmove "$E2E_WIN" "$E2E_WIN_X" "$E2E_WIN_Y"
    e2e_resize "$E2E_WIN_W" "$E2E_WIN_H"
    e2e_focus_main
    e2e_settle
    e2e_log "zwmap is up on $DISPLAY, window $E2E_WIN"
}

# Makes the window w x h and waits until X reports that size.
e2e_resize() {
    local w=$1 h=$2
    xdotool windowsize "$E2E_WIN" "$w" "$h"
    e2e_wait_for 10 e2e_window_has_size "$w" "$h" || e2e_fail "window did not take the size ${w}x${h}"
    E2E_WIN_W=$w
    E2E_WIN_H=$h
}

e2e_window_has_size() {
    local WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$E2E_WIN" | grep -E '^(WIDTH|HEIGHT)=')"
    [ "$WIDTH" -eq "$1" ] && [ "$HEIGHT" -eq "$2" ]
}

# Gives the main window the keyboard. Needed after a dialog closes: with no window manager on
# the test display nothing hands the focus back to the window below.
e2e_focus_main() {
    xdotool windowfocus --sync "$E2E_WIN" >/dev/null 2>&1 || xdotool windowfocus "$E2E_WIN"
}

# Gives queued events and redraws time to be handled, and checks the app is still running.
e2e_settle() {
    sleep "${1:-0.5}"
    kill -0 "$E2E_APP_PID" 2>/dev/null || e2e_fail "zwmap exited (see $E2E_SHOT_DIR/app.log)"
}

e2e_pass() {
    e2e_log "PASS"
    exit 0
}

# ---- Geometry -------------------------------------------------------------------------------
# The panes are found from a screenshot. Below the menu bar the window holds the splitter: two
# panes, each painting its whole surface (mostly white) before drawing on it, side by side with
# the splitter handle between them, a band in the window's background grey.

E2E_DOMAIN_X=; E2E_DOMAIN_Y=; E2E_DOMAIN_W=; E2E_DOMAIN_H=
E2E_RANGE_X=;  E2E_RANGE_Y=;  E2E_RANGE_W=;  E2E_RANGE_H=

# Turns the window's own chrome black and everything else white: the background grey of the
# menu bar and the splitter handle, and the menu bar's bottom line. Panes draw their own
# pictures instead. (Colour replacement rather than -fx, which is slow on large images.)
E2E_CHROME_TO_BLACK=(-fuzz 0.3% -fill '#010203' -opaque '#EFEFEF' -opaque '#D6D6D6'
    -fill white +opaque '#010203' -fill black -opaque '#010203')

# Prints "r g b" per pixel of a crop of an image, one pixel a line, in row-major order.
e2e_pixels() {
    convert "$1" -crop "$2" +repage -alpha off -depth 8 txt:- |
        awk 'NR > 1 { if (match($0, /\([0-9]+,[0-9]+,[0-9]+/)) {
            split(substr($0, RSTART + 1, RLENGTH - 1), c, ","); print c[1], c[2], c[3] } }'
}

# Finds both panes (call after start and after every resize).
e2e_locate_panes() {
    e2e_shot panes
    local shot=$E2E_SHOT
    # Pane rows: less than half of the row is the window's chrome.
    local rows
    rows=$(convert "$shot" -crop "${E2E_WIN_W}x${E2E_WIN_H}+${E2E_WIN_X}+${E2E_WIN_Y}" +repage \
        -alpha off "${E2E_CHROME_TO_BLACK[@]}" -colorspace Gray \
        -filter box -resize "1x${E2E_WIN_H}!" -depth 16 txt:- |
        awk 'NR > 1 { match($0, /\([0-9]+/); print substr($0, RSTART + 1, RLENGTH - 1) / 65535 }')
    local top bottom
    top=$(printf '%s\n' "$rows" | awk '$1 > 0.5 { print NR - 1; exit }')
    bottom=$(printf '%s\n' "$rows" | awk '$1 > 0.5 { last = NR - 1 } END { print last }')
    [ -n "$top" ] && [ -n "$bottom" ] || e2e_fail "no panes in the window"
    # The splitter handle: the longest run of the background grey in a row near the middle of
    # the window; not the middle row itself, where the handle has its grip.
    local y=$((E2E_WIN_Y + top + (bottom - top) / 4 + 3))
    local handle
    handle=$(e2e_pixels "$shot" "${E2E_WIN_W}x1+${E2E_WIN_X}+${y}" |
        awk -v w="$E2E_WIN_W" '
            { grey = ($1 == 239 && $2 == 239 && $3 == 239) }
            grey && !run { run = 1; start = NR - 1 }
            !grey && run { run = 0; consider(start, NR - 2) }
            END { if (run) consider(start, NR - 1); print bs, be }
            function consider(s, e) {
                if ((s + e) / 2 > w * 0.2 && (s + e) / 2 < w * 0.8 && e - s > be - bs) { bs = s; be = e }
            }')
    local hs he
    read -r hs he <<<"$handle"
    [ -n "$hs" ] && [ -n "$he" ] || e2e_fail "no splitter handle between the panes"
    E2E_DOMAIN_X=$E2E_WIN_X
    E2E_DOMAIN_Y=$((E2E_WIN_Y + top))
    E2E_DOMAIN_W=$hs
    E2E_DOMAIN_H=$((bottom - top + 1))
    E2E_RANGE_X=$((E2E_WIN_X + he + 1))
    E2E_RANGE_Y=$E2E_DOMAIN_Y
    E2E_RANGE_W=$((E2E_WIN_W - he - 1))
    E2E_RANGE_H=$E2E_DOMAIN_H
    e2e_log "domain pane ${E2E_DOMAIN_W}x${E2E_DOMAIN_H}+${E2E_DOMAIN_X}+${E2E_DOMAIN_Y}," \
        "range pane ${E2E_RANGE_W}x${E2E_RANGE_H}+${E2E_RANGE_X}+${E2E_RANGE_Y}"
    [ "$E2E_DOMAIN_W" -gt $((E2E_WIN_W / 4)) ] && [ "$E2E_RANGE_W" -gt $((E2E_WIN_W / 4)) ] &&
        [ "$E2E_DOMAIN_H" -gt $((E2E_WIN_H / 2)) ] ||
        e2e_fail "the panes are not two sizeable areas side by side"
}

# Root coordinates of the point at fractions (fx, fy) of a pane, fy from the top.
e2e_pane_point() {
    local pane=$1 fx=$2 fy=$3 X Y W H
    e2e_pane_rect "$pane"
    read -r X Y W H <<<"$E2E_RECT"
    awk -v x="$X" -v y="$Y" -v w="$W" -v h="$H" -v fx="$fx" -v fy="$fy" \
        'BEGIN { printf "%d %d\n", x + fx * w, y + fy * h }'
}

# Sets E2E_RECT to "x y w h" of a pane, optionally without a margin of m pixels on each side.
e2e_pane_rect() {
    local m=${2:-0}
    case $1 in
        domain) E2E_RECT="$((E2E_DOMAIN_X + m)) $((E2E_DOMAIN_Y + m)) $((E2E_DOMAIN_W - 2 * m)) $((E2E_DOMAIN_H - 2 * m))" ;;
        range) E2E_RECT="$((E2E_RANGE_X + m)) $((E2E_RANGE_Y + m)) $((E2E_RANGE_W - 2 * m)) $((E2E_RANGE_H - 2 * m))" ;;
        *) e2e_fail "unknown pane $1" ;;
    esac
}

# ---- Input ------------------------------------------------------------------------------------

# Clicks at fractions of a pane (gives it the focus).
e2e_click() {
    local x y
    read -r x y < <(e2e_pane_point "$1" "$2" "$3")
    xdotool mousemove --sync "$x" "$y" click 1
    e2e_settle 0.3
}

# Drags in a pane through the given fraction pairs: e2e_drag domain fx1 fy1 fx2 fy2 ...
# Moves in small steps so that the app sees a stream of drag events, as from a hand.
e2e_drag() {
    local pane=$1
    shift
    local points=() x y
    while [ $# -ge 2 ]; do
        read -r x y < <(e2e_pane_point "$pane" "$1" "$2")
        points+=("$x" "$y")
        shift 2
    done
    xdotool mousemove --sync "${points[0]}" "${points[1]}"
    xdotool mousedown 1
    local i px=${points[0]} py=${points[1]} nx ny s
    for ((i = 2; i < ${#points[@]}; i += 2)); do
        nx=${points[i]}
        ny=${points[i + 1]}
        for s in 1 2 3 4 5 6 7 8 9 10; do
            xdotool mousemove $((px + (nx - px) * s / 10)) $((py + (ny - py) * s / 10))
            sleep 0.01
        done
        px=$nx
        py=$ny
    done
    xdotool mouseup 1
    e2e_settle 0.3
}

# Sends keys (xdotool key names) to whichever window has the focus, as a keyboard would.
e2e_key() {
    xdotool key --clearmodifiers --delay 60 "$@"
    e2e_settle 0.3
}

# Types text into the focused widget.
e2e_type() {
    xdotool type --delay 40 -- "$1"
}

# Prints the id of a visible window whose title matches the regex, or fails to match.
e2e_window_named() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

e2e_window_present() { [ -n "$(e2e_window_named "$1")" ]; }
e2e_window_absent() { [ -z "$(e2e_window_named "$1")" ]; }

# ---- Screenshots and pixels -----------------------------------------------------------------

# Takes a screenshot of the whole screen into E2E_SHOT (a path under the test's shot dir),
# once the screen has stopped changing: two grabs 0.15 s apart are the same (for at most 5 s,
# so a blinking text cursor cannot hold it up). A slow redraw is waited for, not raced.
e2e_shot() {
    E2E_SHOT_COUNT=$((E2E_SHOT_COUNT + 1))
    E2E_SHOT=$(printf '%s/%02d-%s.png' "$E2E_SHOT_DIR" "$E2E_SHOT_COUNT" "$1")
    local previous="$E2E_SHOT_DIR/.previous.png" i changed
    import -window root "$previous" || e2e_fail "screenshot failed"
    for i in $(seq 33); do
        sleep 0.15
        import -window root "$E2E_SHOT" || e2e_fail "screenshot failed"
        changed=$(compare -metric AE "$previous" "$E2E_SHOT" null: 2>&1 >/dev/null || true)
        [ "$changed" = 0 ] && break
        mv -f "$E2E_SHOT" "$previous"
    done
    rm -f "$previous"
    E2E_LAST_SHOT=$E2E_SHOT
}

# Crops a pane (less a margin of m pixels) out of a screenshot; prints the crop's path.
e2e_crop_pane() {
    local shot=$1 pane=$2 m=${3:-0} X Y W H
    e2e_pane_rect "$pane" "$m"
    read -r X Y W H <<<"$E2E_RECT"
    e2e_crop "$shot" "$X" "$Y" "$W" "$H"
}

# Crops what a pane shows of the planes: the pane less its focus frame and less the strip at
# the bottom where the coordinate readout follows the pointer.
e2e_crop_view() {
    local shot=$1 pane=$2 X Y W H
    e2e_pane_rect "$pane" 3
    read -r X Y W H <<<"$E2E_RECT"
    e2e_crop "$shot" "$X" "$Y" "$W" $((H - E2E_READOUT_H))
}
E2E_READOUT_H=20

# Crops a root rectangle out of a screenshot; prints the path of the crop.
e2e_crop() {
    local shot=$1 x=$2 y=$3 w=$4 h=$5 out
    out="${shot%.png}-crop-${w}x${h}+${x}+${y}.png"
    rm -f "$out"
    convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage "$out" || e2e_fail "cannot crop $shot"
    [ -s "$out" ] || e2e_fail "cropping $shot made no picture"
    echo "$out"
}

# Number of pixels of an image darker than the threshold (percent of white, default 90).
e2e_count_nonwhite() {
    convert "$1" -alpha off -colorspace Gray -threshold "${2:-90}%" \
        -format '%[fx:round((1-mean)*w*h)]' info:
}

# Fails unless both pictures can be read and have the same size. (Given a smaller second
# picture, compare would search for it inside the first and report where it fits best.)
e2e_same_size() {
    local a b
    a=$(identify -format '%wx%h' "$1" 2>&1) || e2e_fail "cannot read $1: $a"
    b=$(identify -format '%wx%h' "$2" 2>&1) || e2e_fail "cannot read $2: $b"
    [ "$a" = "$b" ] || e2e_fail "$1 ($a) and $2 ($b) differ in size"
}

# Number of pixels that differ by more than a little between two images of the same size.
# compare exits with 0 when they are the same, 1 when they differ and 2 when it could not
# compare them (a missing file, other sizes): that is an error of the test, never "0 differ".
# Called as $(...), a failure here prints nothing, which e2e_check refuses as not a number.
e2e_count_diff() {
    local n status=0
    e2e_same_size "$1" "$2"
    n=$(compare -metric AE -fuzz 8% "$1" "$2" null: 2>&1 >/dev/null) || status=$?
    [ "$status" -le 1 ] || e2e_fail "cannot compare $1 with $2: $n"
    # compare prints e.g. "1234" or "1.2e+03".
    [[ $n =~ ^[0-9]+(\.[0-9]+)?(e[+]?[0-9]+)?$ ]] || e2e_fail "compare printed no count: $n"
    awk -v n="$n" 'BEGIN { printf "%d\n", n + 0 }'
}

# Writes a mask of the pixels that differ between two images (black where they differ, white
# elsewhere) to the third path; a comparison that could not be made fails the test. Further
# arguments go to compare as options (e.g. -compose src for a mask without the picture faded in).
e2e_diff_mask() {
    local a=$1 b=$2 out=$3 status=0 message
    shift 3
    rm -f "$out"
    e2e_same_size "$a" "$b"
    message=$(compare -fuzz 8% "$@" -highlight-color black -lowlight-color white "$a" "$b" "$out" 2>&1) ||
        status=$?
    [ "$status" -le 1 ] && [ -s "$out" ] || e2e_fail "cannot compare $a with $b: $message"
}

# Asserts a numeric comparison, failing with a message: e2e_check 12 -gt 5 "why"
e2e_check() {
    local a=$1 op=$2 b=$3
    shift 3
    # A measurement that failed leaves an empty or garbled value; it must not pass a check.
    if ! [[ $a =~ ^-?[0-9]+$ && $b =~ ^-?[0-9]+$ ]]; then
        e2e_fail "$* (not a number: '$a' $op '$b')"
    fi
    if ! [ "$a" "$op" "$b" ]; then
        e2e_fail "$* (got $a, wanted $op $b)"
    fi
    e2e_log "ok: $* ($a $op $b)"
}

# Prints the indices of the rows (or, with "cols", the columns) of an image in which at least
# 85% of the pixels are darker than the threshold (percent of white, default 90): lines that
# cross the whole image, like an axis. The domain's grid lines are very light (about 95%).
e2e_full_lines() {
    local image=$1 what=${2:-rows} threshold=${3:-90} w h geometry
    read -r w h < <(identify -format '%w %h\n' "$image")
    if [ "$what" = rows ]; then geometry="1x${h}!"; else geometry="${w}x1!"; fi
    convert "$image" -alpha off -colorspace Gray -threshold "${threshold}%" -filter box \
        -resize "$geometry" -depth 16 txt:- |
        awk -v what="$what" 'NR > 1 {
            split($1, p, /[,:]/)
            match($0, /\([0-9]+/)
            v = substr($0, RSTART + 1, RLENGTH - 1) / 65535
            if (v <= 0.15) print (what == "rows") ? p[2] : p[1]
        }'
}

# Reads line indices (one a line) and prints the centre of each group of adjacent ones.
e2e_line_centres() {
    awk 'NR == 1 || $1 > last + 1 { if (n) print int((first + last) / 2); first = $1; n = 1 }
         { last = $1 } END { if (n) print int((first + last) / 2) }'
}
