#!/usr/bin/env bash
# Keys go to the pane that has the focus (the domain at start; a click gives it to a pane).
# Arrows and "2", "4", "6", "8" pan that plane by 100 pixels; any other key brings up the
# "Unrecogonised key" sheet, which Return dismisses, and leaves the view where it was.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
e2e_start
e2e_locate_panes

e2e_drag domain 0.3 0.3 0.45 0.6
e2e_shot start
domain0=$(e2e_crop_view "$E2E_SHOT" domain)
range0=$(e2e_crop_view "$E2E_SHOT" range)

# Sets AXIS_COL and AXIS_ROW of a pane in the last screenshot (dark lines across the pane).
axes() {
    local crop
    crop=$(e2e_crop_view "$E2E_SHOT" "$1")
    AXIS_COL=$(e2e_full_lines "$crop" cols | e2e_line_centres | head -n 1)
    AXIS_ROW=$(e2e_full_lines "$crop" rows | e2e_line_centres | head -n 1)
    [ -n "$AXIS_COL" ] && [ -n "$AXIS_ROW" ] || e2e_fail "$1: no axes found"
}
axes domain
d_col=$AXIS_COL d_row=$AXIS_ROW
axes range
r_col=$AXIS_COL r_row=$AXIS_ROW

# --- An unrecognised key -----------------------------------------------------------------
e2e_key q
e2e_wait_for 10 e2e_window_present '^Unrecogonised key$' || e2e_fail "'q' did not bring up the 'Unrecogonised key' sheet"
e2e_settle
e2e_shot sheet
sheet=$(e2e_window_named '^Unrecogonised key$')
eval "$(xdotool getwindowgeometry --shell "$sheet")"
sheet_crop=$(e2e_crop "$E2E_SHOT" "$X" "$Y" "$WIDTH" "$HEIGHT")
# The sheet is on screen: its own grey background with text and a button, not a pane's white.
e2e_check "$(e2e_count_nonwhite "$sheet_crop" 50)" -ge 200 "the sheet shows its text"
e2e_check "$(convert "$sheet_crop" -colorspace Gray -format '%[fx:round(100*mean)]' info:)" -le 97 \
    "the sheet is drawn over the planes"
e2e_key Return
e2e_wait_for 10 e2e_window_absent '^Unrecogonised key$' || e2e_fail "Return did not dismiss the sheet"
e2e_settle
e2e_shot after_sheet
e2e_check "$(e2e_count_diff "$domain0" "$(e2e_crop_view "$E2E_SHOT" domain)")" -le 10 \
    "the unrecognised key leaves the domain as it was"

# --- Panning the domain --------------------------------------------------------------------
e2e_focus_main
e2e_key Left
e2e_shot left
axes domain
e2e_check "$AXIS_COL" -eq $((d_col + 100)) "Left moves the domain's imaginary axis 100 pixels right"
e2e_check "$AXIS_ROW" -eq "$d_row" "Left leaves the domain's real axis"
e2e_key 6
e2e_shot back_x
e2e_check "$(e2e_count_diff "$domain0" "$(e2e_crop_view "$E2E_SHOT" domain)")" -le 10 \
    "'6' pans back: the domain, its path included, is as it was"
e2e_check "$(e2e_count_diff "$range0" "$(e2e_crop_view "$E2E_SHOT" range)")" -le 10 \
    "'6' pans back: the images of the domain's grid are as they were"

e2e_key 8
e2e_shot eight
axes domain
e2e_check "$AXIS_ROW" -eq $((d_row + 100)) "'8' moves the domain's real axis 100 pixels down"
e2e_key Down
e2e_shot back_y
e2e_check "$(e2e_count_diff "$domain0" "$(e2e_crop_view "$E2E_SHOT" domain)")" -le 10 \
    "Down pans back to where the domain was"

# --- A click gives the range the keys ------------------------------------------------------
e2e_click range 0.9 0.1
e2e_key Right
e2e_shot range_right
axes range
e2e_check "$AXIS_COL" -eq $((r_col - 100)) "Right moves the range's imaginary axis 100 pixels left"
axes domain
e2e_check "$AXIS_COL" -eq "$d_col" "the domain stays put while the range has the focus"
e2e_key 2
e2e_shot range_two
axes range
e2e_check "$AXIS_ROW" -eq $((r_row - 100)) "'2' moves the range's real axis 100 pixels up"
e2e_key 4 Up
e2e_shot range_back
e2e_check "$(e2e_count_diff "$range0" "$(e2e_crop_view "$E2E_SHOT" range)")" -le 10 \
    "'4' and Up pan the range back to where it was"

e2e_pass
