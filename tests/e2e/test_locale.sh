#!/usr/bin/env bash
# A comma-decimal desktop (de_DE.UTF-8): the affine dialog reads 1.5 and 2.5 as typed, the log
# line shows them with a decimal point, and the panes (the readouts under the pointer and the
# axis labels) look exactly as they do on a desktop with the C locale.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8' ||
    e2e_fail "the locale de_DE.UTF-8 is missing; scripts/setup generates it"

# Opens Function > Affine Map..., types u = 0, a = 1.5, v = 0, b = 0, c = 0, d = 2.5 (Tab skips
# the two unused fields) and confirms; then puts the pointer on the domain and takes a picture.
affine_then_shot() {
    # Up wraps from the first item to the last, Formula..., and then reaches Affine Map....
    e2e_key alt+u
    e2e_key Up Up Return
    e2e_wait_for 10 e2e_window_present '^Affine Map$' || e2e_fail "the Affine Map dialog did not open"
    local value
    for value in 0 1.5 0 0 0 2.5; do
        xdotool key --clearmodifiers ctrl+a
        e2e_type "$value"
        xdotool key --clearmodifiers Tab
    done
    e2e_key Return
    e2e_wait_for 10 e2e_window_absent '^Affine Map$' || e2e_fail "OK (Return) did not close the dialog"
    e2e_focus_main
    local x y
    read -r x y < <(e2e_pane_point domain 0.7 0.3)
    xdotool mousemove --sync "$x" "$y"
    e2e_settle
    e2e_shot "$1"
}

expected='Transformations.setParameters here, setting affine parameters, a = 1.500000, b = 0.000000, c=0.000000, d=2.500000'

export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
e2e_start
e2e_locate_panes
affine_then_shot german
german_domain=$(e2e_crop_pane "$E2E_SHOT" domain 3)
german_range=$(e2e_crop_pane "$E2E_SHOT" range 3)
grep -qxF "$expected" "$E2E_SHOT_DIR/app.log" ||
    e2e_fail "no log line '$expected' under de_DE.UTF-8"
e2e_log "ok: the log line reads the coefficients with decimal points"

# The same steps on a desktop in the C locale.
kill "$E2E_APP_PID"
wait "$E2E_APP_PID" 2>/dev/null || true
mv "$E2E_SHOT_DIR/app.log" "$E2E_SHOT_DIR/app-de_DE.log"
# The first run was killed with its map unsaved: a data folder of its own, or the second would
# start by offering to restore it.
LANG=C.UTF-8 LC_ALL=C.UTF-8 XDG_DATA_HOME="$E2E_SHOT_DIR/data-C" QT_QPA_PLATFORM=xcb \
    "$E2E_APP" >"$E2E_SHOT_DIR/app.log" 2>&1 &
E2E_APP_PID=$!
e2e_wait_for 30 e2e_find_window || e2e_fail "no window named zwmap appeared in the C locale"
xdotool windowmove --sync "$E2E_WIN" "$E2E_WIN_X" "$E2E_WIN_Y" >/dev/null 2>&1 ||
    xdotool windowmove "$E2E_WIN" "$E2E_WIN_X" "$E2E_WIN_Y"
e2e_resize "$E2E_WIN_W" "$E2E_WIN_H"
e2e_focus_main
e2e_settle
affine_then_shot plain
plain_domain=$(e2e_crop_pane "$E2E_SHOT" domain 3)
plain_range=$(e2e_crop_pane "$E2E_SHOT" range 3)
grep -qxF "$expected" "$E2E_SHOT_DIR/app.log" || e2e_fail "no log line '$expected' in the C locale"

e2e_check "$(e2e_count_diff "$german_domain" "$plain_domain")" -eq 0 \
    "the domain, its labels and its readout, is the same as in the C locale"
e2e_check "$(e2e_count_diff "$german_range" "$plain_range")" -eq 0 \
    "the range, its labels and its readout, is the same as in the C locale"
e2e_pass
