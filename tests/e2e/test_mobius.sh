#!/usr/bin/env bash
# Function > Möbius Map...: coefficients typed into the dialog, field after field with Tab,
# and confirmed with Return, install w = (az + b)/(cz + d). With a = 2, b = 0.5, c = 0, d = 2
# that is w = z + 0.25, so the images of the domain's grid become straight lines again, the
# vertical ones moved right by a quarter unit (25 pixels at the starting zoom).
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
e2e_start
e2e_locate_panes

e2e_shot before
range_before=$(e2e_crop_view "$E2E_SHOT" range)

# The Function menu from the keyboard: Up wraps from the first item to the last (Formula...),
# then Affine Map..., Cubic Polynomial..., Möbius Map....
e2e_key alt+u
e2e_key Up Up Up Up Return
e2e_wait_for 10 e2e_window_present '^M.{1,2}bius Map$' || e2e_fail "the Möbius Map dialog did not open"
e2e_shot dialog
e2e_log "ok: the Möbius Map dialog is open"

# A field that is not a number (a decimal comma) keeps OK, and so Return, from installing it;
# the text typed over it next is read.
xdotool key --clearmodifiers ctrl+a
e2e_type "2,5"
e2e_key Return
e2e_settle 0.5
e2e_window_present '^M.{1,2}bius Map$' || e2e_fail "Return installed a field that is not a number"
e2e_shot refused
e2e_log "ok: \"2,5\" is refused"

# aR aI, bR bI, cR cI, dR dI.
for value in 2 0 0.5 0 0 0 2 0; do
    xdotool key --clearmodifiers ctrl+a
    e2e_type "$value"
    xdotool key --clearmodifiers Tab
done
e2e_shot typed
e2e_key Return
e2e_wait_for 10 e2e_window_absent '^M.{1,2}bius Map$' || e2e_fail "OK (Return) did not close the dialog"
e2e_settle
e2e_shot after
range_after=$(e2e_crop_view "$E2E_SHOT" range)

e2e_check "$(e2e_count_diff "$range_before" "$range_after")" -ge 2000 "the range's picture changes"

# Where the axes are (dark lines) and where the light lines that cross the whole pane are.
axis_col=$(e2e_full_lines "$range_after" cols | e2e_line_centres)
axis_row=$(e2e_full_lines "$range_after" rows | e2e_line_centres)
[ "$(echo "$axis_col" | grep -c .)" -eq 1 ] && [ "$(echo "$axis_row" | grep -c .)" -eq 1 ] ||
    e2e_fail "the range's axes are not where they were"
# Offsets of the straight grid images from the axes, modulo the grid's 50 pixels; counts how
# many lines have the wanted offset and how many another one.
offsets() { # axis, wanted offset; lines on stdin
    awk -v axis="$1" -v want="$2" '
        $1 != axis { d = ($1 - axis) % 50; if (d < 0) d += 50
                     if (d >= want - 2 && d <= want + 2) good++; else bad++ }
        END { print good + 0, bad + 0 }'
}
# The vertical images fall short of the pane's full height only where the domain's grid ends;
# the horizontal ones are moved right and so leave 25 pixels uncovered at the left.
x0=$(identify -format '%w' "$range_after")
read -r good bad < <(e2e_full_lines "$range_after" cols 98 | e2e_line_centres | offsets "$axis_col" 25)
e2e_check "$good" -ge 6 "vertical grid images 25 pixels right of the grid's places"
e2e_check "$bad" -eq 0 "no vertical grid image elsewhere"
right_part=$(convert "$range_after" -crop "$((x0 - 40))x+40+0" +repage png:- |
    tee "${E2E_SHOT%.png}-right.png" >/dev/null && echo "${E2E_SHOT%.png}-right.png")
read -r good bad < <(e2e_full_lines "$right_part" rows 98 | e2e_line_centres | offsets "$axis_row" 0)
e2e_check "$good" -ge 6 "horizontal grid images at the grid's own heights"
e2e_check "$bad" -eq 0 "no horizontal grid image elsewhere"

# A path drawn now has an image in the range that is the path moved right by 25 pixels: the
# pixels that the path changes in the domain, moved so, are those its image changes in the range.
domain_after=$(e2e_crop_view "$E2E_SHOT" domain)
e2e_focus_main
e2e_drag domain 0.3 0.3 0.4 0.6 0.6 0.65
e2e_shot path
domain_path=$(e2e_crop_view "$E2E_SHOT" domain)
range_path=$(e2e_crop_view "$E2E_SHOT" range)
domain_mask=${E2E_SHOT%.png}-domain-mask.png
range_mask=${E2E_SHOT%.png}-range-mask.png
e2e_diff_mask "$domain_after" "$domain_path" "$domain_mask"
e2e_diff_mask "$range_after" "$range_path" "$range_mask"
changed_domain=$(e2e_count_nonwhite "$domain_mask" 50)
changed_range=$(e2e_count_nonwhite "$range_mask" 50)
# The view centres are each pane's middle, so add the difference of the crops' half widths.
w_d=$(identify -format '%w' "$domain_mask")
w_r=$(identify -format '%w' "$range_mask")
shift_x=$((25 + w_r / 2 - w_d / 2))
both=$(convert \( "$domain_mask" -alpha off -colorspace Gray -threshold 50% \
                  -background white -splice "${shift_x}x0" -crop "${w_r}x+0+0" +repage \) \
               \( "$range_mask" -alpha off -colorspace Gray -threshold 50% \) \
               -compose lighten -composite -format '%[fx:round((1-mean)*w*h)]' info:)
e2e_log "pixels changed by the path: domain $changed_domain, range $changed_range, at matching places $both"
e2e_check "$changed_domain" -ge 150 "the path is drawn in the domain"
e2e_check "$both" -ge $((changed_domain * 8 / 10)) "the path's image is the path moved right by 25 pixels"
e2e_check "$both" -ge $((changed_range * 8 / 10)) "the range shows nothing but the moved path"

e2e_pass
