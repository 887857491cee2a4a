#!/usr/bin/env bash
# Function > Formula...: a formula that does not read is explained, marked and cannot be
# confirmed; one that reads becomes f and the grid images change.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
e2e_start
e2e_locate_panes

e2e_shot before
range_before=$(e2e_crop_view "$E2E_SHOT" range)

# Formula... is the Function menu's last item: Up from the first wraps to it.
e2e_key alt+u
e2e_key Up Return
e2e_wait_for 10 e2e_window_present '^Formula$' || e2e_fail "the Formula dialog did not open"
dialog=$(e2e_window_named '^Formula$')
e2e_log "ok: the Formula dialog is open"

# Pixels of the dialog in the red of the message and the mark.
red_in_dialog() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$dialog" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    e2e_pixels "$E2E_SHOT" "${WIDTH}x${HEIGHT}+${X}+${Y}" |
        awk '$1 > 120 && $2 < 90 && $3 < 90 { n++ } END { print n + 0 }'
}

xdotool key --clearmodifiers ctrl+a
e2e_type "sin(z))"
e2e_shot broken
range_broken=$(e2e_crop_view "$E2E_SHOT" range)
broken_red=$(red_in_dialog)
# Return would press OK; with OK disabled the dialog stays and f stays as it was. (The dialog
# covers part of the range, so the range is compared with the dialog in both pictures.)
e2e_key Return
e2e_window_present '^Formula$' || e2e_fail "a formula that does not read was confirmed"
e2e_shot still-broken
range_still=$(e2e_crop_view "$E2E_SHOT" range)
e2e_check "$(e2e_count_diff "$range_broken" "$range_still")" -lt 50 "the range is unchanged"

xdotool key --clearmodifiers ctrl+a
e2e_type "sin(z)^2 + 1/(z-1)"
e2e_shot fixed
# (The Cancel button's icon has some red of its own.)
e2e_check "$broken_red" -ge $(($(red_in_dialog) + 100)) "the fault was said and marked in red, and is gone"
e2e_key Return
e2e_wait_for 10 e2e_window_absent '^Formula$' || e2e_fail "OK (Return) did not close the dialog"
e2e_settle
e2e_shot after
range_after=$(e2e_crop_view "$E2E_SHOT" range)
e2e_check "$(e2e_count_diff "$range_before" "$range_after")" -ge 2000 "the grid images change"

e2e_pass
