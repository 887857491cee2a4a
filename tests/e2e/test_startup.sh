#!/usr/bin/env bash
# At start the window shows the two planes side by side: the domain with its axes and its
# square grid, the range with its axes and the images of the domain's grid under exp, which
# are circles and rays rather than straight lines.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
e2e_start
e2e_locate_panes

e2e_check "$E2E_DOMAIN_W" -ge $((E2E_RANGE_W - 4)) "the panes share the width evenly"
e2e_check "$E2E_DOMAIN_W" -le $((E2E_RANGE_W + 4)) "the panes share the width evenly"

e2e_shot start
shot=$E2E_SHOT

# Each plane's axes cross at the middle of its pane (the true origin is the view centre).
check_axes() {
    local pane=$1 crop w h rows cols
    crop=$(e2e_crop_pane "$shot" "$pane" 3)
    read -r w h < <(identify -format '%w %h\n' "$crop")
    rows=$(e2e_full_lines "$crop" rows | e2e_line_centres)
    cols=$(e2e_full_lines "$crop" cols | e2e_line_centres)
    e2e_check "$(echo "$rows" | grep -c .)" -eq 1 "$pane: one dark line across the pane (the real axis)"
    e2e_check "$(echo "$cols" | grep -c .)" -eq 1 "$pane: one dark line down the pane (the imaginary axis)"
    local dy=$((rows - h / 2)) dx=$((cols - w / 2))
    e2e_check "${dy#-}" -le 3 "$pane: the real axis is at the middle height"
    e2e_check "${dx#-}" -le 3 "$pane: the imaginary axis is at the middle width"
    # Tick labels ("%.2f") sit below the real axis: there is text in that band.
    local X Y W H band
    e2e_pane_rect "$pane" 3
    read -r X Y W H <<<"$E2E_RECT"
    band=$(e2e_crop "$shot" "$X" $((Y + rows + 6)) "$W" 14)
    e2e_check "$(e2e_count_nonwhite "$band" 50)" -gt 60 "$pane: axis labels below the real axis"
    AXIS_ROW=$rows
    AXIS_COL=$cols
}

check_axes domain
check_axes range

# The domain's grid: light lines every 50 pixels, through the tick marks.
domain_crop=$(e2e_crop_view "$shot" domain)
spacing_ok() {
    awk 'NR > 1 { d = $1 - prev; if (d < 49 || d > 51) bad = 1; n++ } { prev = $1 }
         END { exit (bad || n < 5) }'
}
e2e_full_lines "$domain_crop" rows 98 | e2e_line_centres | spacing_ok ||
    e2e_fail "the domain's horizontal grid lines are not 50 pixels apart"
e2e_full_lines "$domain_crop" cols 98 | e2e_line_centres | spacing_ok ||
    e2e_fail "the domain's vertical grid lines are not 50 pixels apart"
e2e_log "ok: the domain's grid lines are 50 pixels apart"

# The range: no straight grid of its own, but many light curve pixels (the grid's images).
range_crop=$(e2e_crop_view "$shot" range)
e2e_check "$(e2e_full_lines "$range_crop" rows 98 | e2e_line_centres | grep -c .)" -le 2 \
    "range: no straight horizontal grid at start"
e2e_check "$(e2e_count_nonwhite "$range_crop" 99)" -gt 4000 "range: the images of the domain's grid are drawn"

# The readout in each pane's lower left corner shows coordinates.
for pane in domain range; do
    e2e_pane_rect "$pane" 0
    read -r X Y W H <<<"$E2E_RECT"
    readout=$(e2e_crop "$shot" $((X + 2)) $((Y + H - 16)) 70 14)
    e2e_check "$(e2e_count_nonwhite "$readout" 50)" -gt 40 "$pane: coordinate readout in the lower left corner"
done

e2e_pass
