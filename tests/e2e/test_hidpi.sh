#!/usr/bin/env bash
# On a screen at 200 % the planes are drawn at the screen's resolution: a path one unit wide is
# two device rows of solid black (not four rows of grey, as a picture drawn at half resolution
# and scaled up would give), and the real axis, half a unit wide, spans at most two device rows.
source "$(dirname "$0")/lib.sh" "$1"
export QT_SCALE_FACTOR=2
E2E_SCREEN_W=1600
E2E_SCREEN_H=1000
E2E_WIN_W=1200
E2E_WIN_H=800
e2e_require_tools
e2e_start
e2e_locate_panes

# Grey level (0-255) of each pixel down one column of a screenshot, one a line.
column() { # shot, x, y0, height
    e2e_pixels "$1" "1x$4+$2+$3" | awk '{ print int(($1 + $2 + $3) / 3) }'
}

# A horizontal path across the left part of the domain, a quarter of the way down.
e2e_drag domain 0.1 0.25 0.2 0.25 0.3 0.25
e2e_shot path
read -r x y < <(e2e_pane_point domain 0.22 0.25)
values=$(column "$E2E_SHOT" "$x" $((y - 6)) 13)
black=$(echo "$values" | awk '$1 <= 16' | wc -l)
grey=$(echo "$values" | awk '$1 > 16 && $1 < 200' | wc -l)
e2e_log "column at the path: $(echo "$values" | tr '\n' ' ')"
e2e_check "$black" -eq 2 "the path is two device rows of solid black"
e2e_check "$grey" -eq 0 "no grey fringe around the path"

# The real axis, in the domain's right half away from ticks and labels.
read -r ax ay < <(e2e_pane_point domain 0.8 0.5)
values=$(column "$E2E_SHOT" "$ax" $((ay - 40)) 81)
dark=$(echo "$values" | awk '$1 < 200' | wc -l)
darkest=$(echo "$values" | sort -n | head -n 1)
e2e_log "column across the real axis: $(echo "$values" | tr '\n' ' ')"
e2e_check "$dark" -le 2 "the real axis spans at most two device rows"
e2e_check "$darkest" -le 140 "the real axis is drawn dark, not a pale smear"

e2e_pass
