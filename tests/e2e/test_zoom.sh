#!/usr/bin/env bash
# Zooming: ctrl+plus / ctrl+minus (Domain > Zoom In / Zoom Out) scale the domain by two about its
# centre: the axes stay, the grid stays 50 pixels apart, the labels change, a drawn path doubles
# about the centre and the images of the grid in the range change. Range > Zoom In / Zoom Out
# do the same for the range. Zooming in and out again gives back the same picture.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
e2e_start
e2e_locate_panes

crops() { # tag: sets D_<tag>, R_<tag> from a new screenshot
    e2e_shot "$1"
    printf -v "D_$1" '%s' "$(e2e_crop_view "$E2E_SHOT" domain)"
    printf -v "R_$1" '%s' "$(e2e_crop_view "$E2E_SHOT" range)"
}
diff_of() { e2e_count_diff "$1" "$2"; }
# Prints "w h x y" of the box around the pixels that differ between two images.
changed_box() {
    e2e_diff_mask "$1" "$2" "$3"
    convert "$3" -alpha off -colorspace Gray -threshold 50% -format '%@' info: |
        awk -F'[x+]' '{ print $1, $2, $3, $4 }'
}
label_band() { # crop, axis row: the strip of labels under the real axis
    local w
    w=$(identify -format '%w' "$1")
    convert "$1" -crop "${w}x14+0+$(($2 + 6))" +repage "${1%.png}-labels.png"
    echo "${1%.png}-labels.png"
}
grid_lines() { e2e_full_lines "$1" "$2" 98 | e2e_line_centres | tr '\n' ' '; }

# The empty planes at the two zooms, to tell the path from the rest.
crops empty1
e2e_key ctrl+plus
crops empty2
e2e_key ctrl+minus
crops empty1_again
e2e_check "$(diff_of "$D_empty1" "$D_empty1_again")" -le 10 "zoom in and out restores the empty domain"

e2e_drag domain 0.3 0.3 0.45 0.6 0.55 0.45
crops path1
e2e_key ctrl+plus
crops path2

# Axes and grid stay, labels change.
rows1=$(grid_lines "$D_path1" rows)
rows2=$(grid_lines "$D_path2" rows)
[ "$rows1" = "$rows2" ] || e2e_fail "the domain's horizontal lines moved on zooming: '$rows1' vs '$rows2'"
e2e_log "ok: the domain's axis and grid lines stay where they were"
axis_row=$(e2e_full_lines "$D_path1" rows | e2e_line_centres | head -n 1)
e2e_check "$(diff_of "$(label_band "$D_path1" "$axis_row")" "$(label_band "$D_path2" "$axis_row")")" -ge 50 \
    "ctrl+plus changes the domain's axis labels"
e2e_check "$(diff_of "$R_path1" "$R_path2")" -ge 1000 "ctrl+plus changes the images of the grid in the range"

# The path doubles about the view centre.
read -r w1 h1 x1 y1 < <(changed_box "$D_empty1" "$D_path1" "${E2E_SHOT%.png}-mask1.png")
read -r w2 h2 x2 y2 < <(changed_box "$D_empty2" "$D_path2" "${E2E_SHOT%.png}-mask2.png")
e2e_log "path box before ${w1}x${h1}+${x1}+${y1}, after ${w2}x${h2}+${x2}+${y2}"
cx=$(($(identify -format '%w' "$D_path1") / 2))
within() { local d=$(($1 - $2)); [ "${d#-}" -le "$3" ]; }
within "$w2" $((2 * w1)) 4 && within "$h2" $((2 * h1)) 4 ||
    e2e_fail "the path did not double in size on zooming in"
within $((x2 - cx)) $((2 * (x1 - cx))) 4 || e2e_fail "the path was not scaled about the view centre"
e2e_log "ok: the path is twice as large, about the view centre"

e2e_key ctrl+minus
crops back
e2e_check "$(diff_of "$D_path1" "$D_back")" -le 10 "ctrl+minus gives the domain back"
e2e_check "$(diff_of "$R_path1" "$R_back")" -le 10 "ctrl+minus gives the range back"

# The range's zoom, from its menu: Zoom In is the first item, Zoom Out the second.
e2e_key alt+r
e2e_key Return
crops range_in
e2e_check "$(diff_of "$D_path1" "$D_range_in")" -le 10 "Range > Zoom In leaves the domain alone"
e2e_check "$(diff_of "$R_path1" "$R_range_in")" -ge 1000 "Range > Zoom In changes the range"
[ "$(grid_lines "$R_path1" cols | wc -w)" -ge 1 ] &&
    [ "$(e2e_full_lines "$R_range_in" cols | e2e_line_centres)" = "$(e2e_full_lines "$R_path1" cols | e2e_line_centres)" ] ||
    e2e_fail "the range's imaginary axis moved on zooming"
e2e_focus_main
e2e_key alt+r
e2e_key Down Return
crops range_out
e2e_check "$(diff_of "$R_path1" "$R_range_out")" -le 10 "Range > Zoom Out gives the range back"

e2e_pass
