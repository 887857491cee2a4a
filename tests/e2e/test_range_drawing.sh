#!/usr/bin/env bash
# Range > Allow Drawing under Square: a small circle drawn round w = 1 in the range has its
# preimages drawn live round both square roots, z = 1 and z = -1. The saved session says where
# every point of them is.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
e2e_start
e2e_locate_panes

WORK=$(mktemp -d)
trap 'e2e_cleanup; rm -rf "$WORK"' EXIT
SESSION="$WORK/circle.zwmap"

# Function > Square: the third item.
e2e_key alt+u
e2e_key Down Down Return
# Range > Allow Drawing: after Zoom In, Zoom Out, Show Axis Labels, Show Grid, Show Grid Images.
e2e_focus_main
e2e_key alt+r
e2e_key Down Down Down Down Down Return
e2e_focus_main

e2e_shot before
domain_before=$(e2e_crop_view "$E2E_SHOT" domain)

# A circle of radius 0.2 round w = 1: at scale 1 a unit is 100 pixels from the view's centre.
read -r _ _ W H <<<"$(e2e_pane_rect range && echo "$E2E_RECT")"
circle=$(awk -v w="$W" -v h="$H" 'BEGIN {
    for (k = 0; k <= 16; k++) {
        t = 2 * 3.14159265 * k / 16
        printf "%.5f %.5f ", (w / 2 + 100 + 20 * cos(t)) / w, (h / 2 - 20 * sin(t)) / h
    }
}')
# shellcheck disable=SC2086
e2e_drag range $circle

e2e_shot drawn
domain_drawn=$(e2e_crop_view "$E2E_SHOT" domain)
e2e_check "$(e2e_count_diff "$domain_before" "$domain_drawn")" -ge 40 \
    "the preimages are drawn in the domain"

e2e_focus_main
e2e_key ctrl+s
e2e_wait_for 10 e2e_window_present '^Save Session$' || e2e_fail "ctrl+s opened no 'Save Session' dialog"
e2e_settle 0.5
e2e_type "$SESSION"
e2e_key Return
e2e_wait_for 10 test -s "$SESSION" || e2e_fail "no session file was written"

# Each preimage path: its number of points, the mean of its points and how far |z| strays from
# the square root of |w| on the circle (1 ± 0.2 and a pixel, so |z| within 0.87 to 1.12).
summary=$(awk '
    /"drawnPaths"/ { drawn = 1 }
    drawn && /"points"/ {
        if (seen++ == 0) next   # the path drawn in w
        line = $0
        gsub(/[^-0-9.eE,]+/, " ", line)
        gsub(/,/, " ", line)
        n = split(line, v, " ")
        count = 0; sx = 0; sy = 0; bad = 0
        for (i = 1; i + 1 <= n; i += 2) {
            x = v[i] + 0; y = v[i + 1] + 0
            r = sqrt(x * x + y * y)
            if (r < 0.87 || r > 1.12) bad++
            sx += x; sy += y; count++
        }
        printf "%d %.3f %.3f %d\n", count, sx / count, sy / count, bad
    }' "$SESSION")
e2e_log "preimage paths (points, mean x, mean y, strays): $(echo "$summary" | tr '\n' ';')"
e2e_check "$(echo "$summary" | grep -c .)" -eq 2 "two preimage paths"
e2e_check "$(echo "$summary" | awk '$1 >= 10 && $4 == 0 && $2 > 0.9 && $2 < 1.1 && $3 > -0.1 && $3 < 0.1' | wc -l)" \
    -eq 1 "one preimage path round z = 1"
e2e_check "$(echo "$summary" | awk '$1 >= 10 && $4 == 0 && $2 < -0.9 && $2 > -1.1 && $3 > -0.1 && $3 < 0.1' | wc -l)" \
    -eq 1 "one preimage path round z = -1"

e2e_pass
