#!/usr/bin/env bash
# Moving about with the mouse: a wheel notch over the domain zooms about the pointer, keeping
# the labelled tick under it; a middle drag moves the axes by the distance dragged; Ctrl+Alt+=
# zooms the range; the status bar follows the pointer over each pane, with a ring marking f(z)
# in the range; Help > Keys and Mouse opens and Escape closes it.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
e2e_start
e2e_locate_panes

# Sets AXIS_COL and AXIS_ROW (in the domain's crop) from the last screenshot.
axes() {
    local crop
    crop=$(e2e_crop_view "$E2E_SHOT" "$1")
    AXIS_COL=$(e2e_full_lines "$crop" cols | e2e_line_centres | head -n 1)
    AXIS_ROW=$(e2e_full_lines "$crop" rows | e2e_line_centres | head -n 1)
    [ -n "$AXIS_COL" ] && [ -n "$AXIS_ROW" ] || e2e_fail "$1: no axes found"
}
# The crop's origin in root coordinates (e2e_crop_view leaves a margin of 3).
CROP_DX=$((E2E_DOMAIN_X + 3))
CROP_DY=$((E2E_DOMAIN_Y + 3))
# A strip of the status bar, below the panes, on the left where the pointer's line is.
status_strip() {
    local top=$((E2E_DOMAIN_Y + E2E_DOMAIN_H + 1))
    e2e_crop "$E2E_SHOT" "$E2E_WIN_X" "$top" 420 $((E2E_WIN_Y + E2E_WIN_H - top))
}
orange_pixels() {
    convert "$1" -alpha off -fuzz 12% -fill white +opaque '#FF8C00' -fill black -opaque '#FF8C00' \
        -format '%[fx:round((1-mean)*w*h)]' info:
}

# --- The wheel keeps the labelled tick under the pointer ----------------------------------
e2e_shot start
axes domain
col0=$AXIS_COL row0=$AXIS_ROW
# The tick labelled 1.00 lies 100 pixels right of the imaginary axis. An axis lies on a whole
# view coordinate and darkens the pixels on both sides of it; the line's centre is the left (the
# upper) one, and the pointer's pixel is the one right of (below) the coordinate.
px=$((CROP_DX + col0 + 1 + 100))
py=$((CROP_DY + row0 + 1))
label_at() { e2e_crop "$E2E_SHOT" $((px - 25)) $((py + 6)) 50 16; }
label0=$(label_at)
e2e_check "$(e2e_count_nonwhite "$label0" 60)" -ge 10 "a label under the tick at 1"
xdotool mousemove --sync "$px" "$py"
e2e_settle 0.3
xdotool click 4
e2e_settle 0.5
e2e_shot wheel
axes domain
# Within a pixel: the axes lie between two pixels, the pointer on one of them.
near() { local d=$(($1 - $2)); [ "${d#-}" -le 1 ] && echo 1 || echo 0; }
e2e_check "$(near "$AXIS_COL" $((col0 - 100)))" -eq 1 "the wheel doubles the scale about the pointer: the imaginary axis moves 100 pixels left ($AXIS_COL, was $col0)"
e2e_check "$(near "$AXIS_ROW" "$row0")" -eq 1 "the real axis under the pointer stays ($AXIS_ROW, was $row0)"
e2e_check "$(e2e_count_diff "$label0" "$(label_at)")" -le 6 "the tick under the pointer keeps its label"
xdotool click 5
e2e_settle 0.5
e2e_shot wheel_back
axes domain
e2e_check "$AXIS_COL" -eq "$col0" "a notch back restores the view"

# --- The status bar and the ring follow the pointer ----------------------------------------
read -r x y < <(e2e_pane_point domain 0.3 0.4)
xdotool mousemove --sync "$x" "$y"
e2e_settle 0.3
e2e_shot over_domain_a
status_a=$(status_strip)
ring=$(orange_pixels "$(e2e_crop_view "$E2E_SHOT" range)")
e2e_check "$ring" -ge 8 "a ring marks f(z) in the range"
e2e_check "$(e2e_count_nonwhite "$status_a" 50)" -ge 40 "the status bar shows the pointer"
read -r x y < <(e2e_pane_point domain 0.35 0.45)
xdotool mousemove --sync "$x" "$y"
e2e_settle 0.3
e2e_shot over_domain_b
e2e_check "$(e2e_count_diff "$status_a" "$(status_strip)")" -ge 20 "the status bar changes as the pointer moves over the domain"
read -r x y < <(e2e_pane_point range 0.3 0.4)
xdotool mousemove --sync "$x" "$y"
e2e_settle 0.3
e2e_shot over_range
e2e_check "$(e2e_count_diff "$status_a" "$(status_strip)")" -ge 20 "the status bar changes over the range"
e2e_check "$(orange_pixels "$(e2e_crop_view "$E2E_SHOT" range)")" -eq 0 "no ring in the range while the pointer is in it"

# --- A middle drag moves the axes by the distance dragged ----------------------------------
read -r x y < <(e2e_pane_point domain 0.4 0.4)
xdotool mousemove --sync "$x" "$y"
xdotool mousedown 2
for s in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((x + 6 * s)) $((y + 4 * s))
    sleep 0.02
done
xdotool mouseup 2
e2e_settle 0.5
e2e_shot middle_drag
axes domain
e2e_check "$AXIS_COL" -eq $((col0 + 60)) "a middle drag of 60 pixels right moves the imaginary axis 60 right"
e2e_check "$AXIS_ROW" -eq $((row0 + 40)) "a middle drag of 40 pixels down moves the real axis 40 down"
domain_after_drag=$(e2e_crop_view "$E2E_SHOT" domain)

# --- The range's zoom shortcut ------------------------------------------------------------
e2e_focus_main
range_before=$(e2e_crop_view "$E2E_SHOT" range)
e2e_key ctrl+alt+equal
e2e_shot range_zoom
e2e_check "$(e2e_count_diff "$range_before" "$(e2e_crop_view "$E2E_SHOT" range)")" -ge 1000 "Ctrl+Alt+= zooms the range"
e2e_check "$(e2e_count_diff "$domain_after_drag" "$(e2e_crop_view "$E2E_SHOT" domain)")" -le 10 "and leaves the domain alone"

# --- Help > Keys and Mouse, closed with Escape ----------------------------------------------
e2e_focus_main
e2e_key alt+h
e2e_key Return
e2e_wait_for 10 e2e_window_present '^Keys and Mouse$' || e2e_fail "Help > Keys and Mouse did not open"
e2e_settle
e2e_shot keys
dialog=$(e2e_window_named '^Keys and Mouse$')
xdotool windowfocus --sync "$dialog" >/dev/null 2>&1 || true
e2e_key Escape
e2e_wait_for 10 e2e_window_absent '^Keys and Mouse$' || e2e_fail "Escape did not close Keys and Mouse"
e2e_log "ok: Keys and Mouse opens and closes with Escape"

e2e_pass
