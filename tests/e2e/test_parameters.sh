#!/usr/bin/env bash
# The Parameters panel: a parameter's slider dragged with the mouse moves the range's grid
# images, and Play moves them until it is stopped.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
e2e_start

WORK=$(mktemp -d)
trap 'e2e_cleanup; rm -rf "$WORK"' EXIT

# f(z) = z + a at a = 0, with the slider's range [min, max]: the same picture whatever the
# range, the slider's handle at one end or the other.
session() {
    cat >"$WORK/$1.zwmap" <<EOF
{"format": "zwmap-session", "version": 1,
 "function": {"kind": "formula", "formula": "z + a", "inverse": "",
  "parameters": [{"name": "a", "value": [0.0, 0.0], "min": $2, "max": $3, "complex": false,
                  "play": "loop", "speed": 0.25}]},
 "shading": {"showContours": false, "showArguments": false, "highestResolution": false},
 "domain": {"view": {"scaleFactor": 1.0, "centre": [0.0, 0.0]}, "tickMarks": true,
  "showGridlines": true, "showTransformedPathsInDomain": false,
  "showInverseImagesOfRangeGridlines": false, "pathColor": [0.0, 0.0, 0.0, 1.0], "paths": [],
  "transformedPathsShownInDomain": []},
 "range": {"view": {"scaleFactor": 1.0, "centre": [0.0, 0.0]}, "tickMarks": true,
  "showGridlines": false, "showTransformedGridlines": true,
  "pathColor": [0.0, 0.0, 0.0, 1.0], "paths": []}}
EOF
}
session left 0.0 1.0
session right -1.0 0.0

relaunch() {
    kill "$E2E_APP_PID" 2>/dev/null || true
    wait "$E2E_APP_PID" 2>/dev/null || true
    E2E_APP_PID=
    E2E_WINDOW_NAME="^$1.zwmap - zwmap\$" e2e_launch "$WORK/$1.zwmap"
}

# Where the slider is: the handle is all that moves between the two files, and the slider is
# the panel's first row, above the fields whose texts differ too.
relaunch left
e2e_shot left
left=$E2E_SHOT
relaunch right
e2e_shot right
right=$E2E_SHOT
e2e_diff_mask "$left" "$right" "$WORK/handle.png" -compose src
read -r x_left x_right y_mid < <(
    convert "$WORK/handle.png" -alpha off -colorspace Gray -threshold 50% txt:- |
        awk -F'[,: ]+' 'NR > 1 && /#000000|black/ { print $1, $2 }' | sort -k2,2n -k1,1n |
        awk 'NR == 1 { top = $2 } $2 <= top + 24 {
                 if (n == 0 || $1 < lo) lo = $1; if ($1 > hi) hi = $1
                 if (n == 0 || $2 < ylo) ylo = $2; if ($2 > yhi) yhi = $2; n++ }
             END { if (n) print lo, hi, int((ylo + yhi) / 2) }')
[ -n "${y_mid:-}" ] || e2e_fail "the slider's handle was not found (the panel is not shown?)"
e2e_check $((x_right - x_left)) -ge 100 "the handle travels the slider's width"
e2e_log "the slider runs from $x_left to $x_right at y = $y_mid"

# The planes: everything left of the panel's row.
planes_w=$((x_left - 80))
planes() { e2e_crop "$1" 0 40 "$planes_w" 500; }

# Drag the handle from the right end (a = 0) to the left end (a = -1).
xdotool mousemove --sync $((x_right - 5)) "$y_mid"
xdotool mousedown 1
for s in 1 2 3 4 5 6 7 8 9 10 11 12; do
    xdotool mousemove $((x_right - 5 - (x_right - x_left) * s / 10)) "$y_mid"
    sleep 0.05
done
xdotool mouseup 1
e2e_settle
e2e_shot dragged
e2e_check "$(e2e_count_diff "$(planes "$right")" "$(planes "$E2E_SHOT")")" -ge 2000 \
    "the range's grid images moved with the slider"
dragged=$E2E_SHOT

# Play: from the slider, Tab goes to the value, the two ends, Complex, then Play; Space presses.
e2e_key Tab Tab Tab Tab Tab space
sleep 1
import -window root "$WORK/playing1.png"
sleep 1
import -window root "$WORK/playing2.png"
e2e_check "$(e2e_count_diff "$(planes "$WORK/playing1.png")" "$(planes "$WORK/playing2.png")")" \
    -ge 500 "Play moves the grid images"
e2e_key space
e2e_shot stopped
stopped=$E2E_SHOT
sleep 1
e2e_shot still
e2e_check "$(e2e_count_diff "$(planes "$stopped")" "$(planes "$E2E_SHOT")")" -lt 50 \
    "after Stop the picture stays"
e2e_check "$(e2e_count_diff "$(planes "$dragged")" "$(planes "$E2E_SHOT")")" -ge 500 \
    "Play left the value where it stopped"

e2e_pass
