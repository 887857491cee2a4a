#!/usr/bin/env bash
# Unsaved work outlives a kill: while the session has unsaved changes zwmap keeps a recovery
# copy; killed with SIGKILL and started again, it asks "Restore the unsaved work from HH:MM?",
# and Restore brings the paths back as an unsaved session, which saves as any other.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
# For tests only: the copy a quarter of a second after a change and at most once a second,
# rather than a few seconds and 30 s.
export ZWMAP_RECOVERY_DELAY_MS=250 ZWMAP_RECOVERY_INTERVAL_MS=1000
e2e_start
e2e_locate_panes

WORK=$(mktemp -d)
trap 'e2e_cleanup; rm -rf "$WORK"' EXIT
RECOVERY="$XDG_DATA_HOME/zwmap/zwmap/recovery"
copies() { find "$RECOVERY" -maxdepth 1 -name '*.zwmap' 2>/dev/null | sort; }
one_copy() { [ "$(copies | grep -c .)" -eq 1 ]; }
no_copy() { [ -z "$(copies)" ]; }

capture() {
    e2e_shot "$1"
    printf -v "DOMAIN_$1" '%s' "$(e2e_crop_view "$E2E_SHOT" domain)"
}

no_copy || e2e_fail "a copy before anything changed: $(copies)"
e2e_drag domain 0.35 0.3 0.45 0.5 0.6 0.7
e2e_drag domain 0.7 0.2 0.8 0.4
# A complete redraw, as a restored session shows the paths: zoom in and out again.
e2e_key ctrl+plus
e2e_key ctrl+minus
capture drawn
e2e_wait_for 10 one_copy || e2e_fail "no recovery copy in $RECOVERY after drawing"
# Past the interval: the copy holds every change.
sleep 1.5
COPY=$(copies)
cp "$COPY" "$WORK/copy.zwmap"
TIME=$(date -r "$COPY" +%H:%M)
e2e_check "$(grep -c '"points"' "$WORK/copy.zwmap")" -ge 4 "the copy holds both paths and their images"

kill -KILL "$E2E_APP_PID"
wait "$E2E_APP_PID" 2>/dev/null || true
E2E_APP_PID=
[ -s "$COPY" ] || e2e_fail "the copy did not outlive the kill"
e2e_log "ok: killed with the copy $COPY from $TIME left"

e2e_launch
QUESTION="^Restore the unsaved work from $TIME\\?\$"
e2e_wait_for 15 e2e_window_present "$QUESTION" ||
    e2e_fail "starting again did not ask 'Restore the unsaved work from $TIME?'"
e2e_log "ok: 'Restore the unsaved work from $TIME?' is asked"
BOX=$(e2e_window_named "$QUESTION")
xdotool windowfocus --sync "$BOX" >/dev/null 2>&1 || xdotool windowfocus "$BOX"
e2e_key Return
e2e_wait_for 10 e2e_window_absent '^Restore the unsaved' || e2e_fail "Return did not answer Restore"
e2e_wait_for 10 e2e_window_present '^zwmap\*$' ||
    e2e_fail "the restored session is not shown as unsaved ('zwmap*')"
e2e_focus_main
e2e_settle
capture restored
e2e_check "$(e2e_count_diff "$DOMAIN_drawn" "$DOMAIN_restored")" -eq 0 \
    "the restored domain shows the paths as drawn"
[ ! -e "$COPY" ] || e2e_fail "the old copy is still there after Restore"
e2e_wait_for 10 one_copy || e2e_fail "the restored work has no copy of this zwmap's own"

# Saved, the paths are in the file and the copy goes.
e2e_key ctrl+s
e2e_wait_for 10 e2e_window_present '^Save Session$' || e2e_fail "ctrl+s opened no 'Save Session' dialog"
e2e_settle 0.5
e2e_type "$WORK/restored.zwmap"
e2e_key Return
e2e_wait_for 10 test -s "$WORK/restored.zwmap" || e2e_fail "no session file was written"
e2e_wait_for 10 e2e_window_present '^restored.zwmap - zwmap$' || e2e_fail "the title does not name the file"
e2e_check "$(grep -c '"points"' "$WORK/restored.zwmap")" -eq "$(grep -c '"points"' "$WORK/copy.zwmap")" \
    "the saved file has the paths of the copy"
diff <(grep -v '"points"' "$WORK/copy.zwmap") <(grep -v '"points"' "$WORK/restored.zwmap") >&2 ||
    e2e_fail "the saved file's function, views and options differ from the copy's"
e2e_wait_for 10 no_copy || e2e_fail "the copy is still there after saving"

# Quitting cleanly leaves nothing behind.
e2e_focus_main
xdotool key --clearmodifiers ctrl+q
e2e_wait_for 10 bash -c "! kill -0 $E2E_APP_PID 2>/dev/null" || e2e_fail "zwmap did not quit"
wait "$E2E_APP_PID" 2>/dev/null || true
E2E_APP_PID=
left=$(find "$RECOVERY" -maxdepth 1 -type f | sort)
[ -z "$left" ] || e2e_fail "files left in the recovery folder after quitting: $left"
e2e_pass
