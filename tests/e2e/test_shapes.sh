#!/usr/bin/env bash
# Edit > Add Circle...: the unit circle, typed nowhere (the dialog's defaults) and confirmed
# with Return, under Hyperbolic Plane To Disk. The circle runs through the pole at -i, and its
# image is a straight line: the imaginary axis of the range, w = (|z|^2 - 1 - 2ix) / |z + i|^2
# having real part 0 wherever |z| = 1.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
e2e_start
e2e_locate_panes

# Function > Hyperbolic Plane To Disk, the sixth item: the menu opens on the first.
e2e_key alt+u
e2e_key Down Down Down Down Down Return
e2e_settle
e2e_shot before
range_before=$(e2e_crop_view "$E2E_SHOT" range)

# Edit > Add Circle..., above Add Line..., Remove Last Path and Clear All Paths...: Up wraps
# from the first item to the last.
e2e_focus_main
e2e_key alt+e
e2e_key Up Up Up Up Return
e2e_wait_for 10 e2e_window_present '^Add Circle$' || e2e_fail "the Add Circle dialog did not open"
e2e_shot dialog
e2e_key Return
e2e_wait_for 10 e2e_window_absent '^Add Circle$' || e2e_fail "OK (Return) did not close the dialog"
e2e_settle
e2e_shot after
range_after=$(e2e_crop_view "$E2E_SHOT" range)
domain_after=$(e2e_crop_view "$E2E_SHOT" domain)

e2e_check "$(e2e_count_diff "$range_before" "$range_after")" -ge 100 "the circle's image is drawn in the range"

# The range's imaginary axis: the one dark column that crosses the whole view.
axis_col=$(e2e_full_lines "$range_before" cols | e2e_line_centres)
[ "$(echo "$axis_col" | grep -c .)" -eq 1 ] || e2e_fail "no single imaginary axis in the range"
# Where the picture changed: nearly every changed pixel lies on the axis's column.
range_mask=${range_after%.png}-mask.png
e2e_diff_mask "$range_before" "$range_after" "$range_mask" -compose src
changed=$(convert "$range_mask" -alpha off -threshold 50% txt:- |
    awk -v c="$axis_col" 'NR > 1 && /#000000|black/ {
        split($1, p, /[,:]/); n++; if (p[1] >= c - 3 && p[1] <= c + 3) on++ }
        END { printf "%d %d\n", n, on }')
read -r total on_axis <<<"$changed"
e2e_check "$total" -ge 100 "changed pixels in the range"
e2e_check $((on_axis * 100 / total)) -ge 90 "percent of them on the imaginary axis (column $axis_col)"

# In the domain the circle itself is drawn.
e2e_check "$(e2e_count_nonwhite "$domain_after" 60)" -ge 300 "the circle is drawn in the domain"
e2e_pass
