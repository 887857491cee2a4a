#!/usr/bin/env bash
# A session saved with two paths comes back as it was after quitting and starting zwmap with
# the file; quitting with unsaved paths asks first. Then `zwmap --export` with no display
# renders the file into a PNG of the asked size.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
e2e_start
e2e_locate_panes

WORK=$(mktemp -d)
trap 'e2e_cleanup; rm -rf "$WORK"' EXIT
SESSION="$WORK/two.zwmap"

capture() {
    e2e_shot "$1"
    printf -v "DOMAIN_$1" '%s' "$(e2e_crop_view "$E2E_SHOT" domain)"
    printf -v "RANGE_$1" '%s' "$(e2e_crop_view "$E2E_SHOT" range)"
}

# Two paths.
e2e_drag domain 0.35 0.3 0.45 0.5 0.6 0.7
e2e_drag domain 0.7 0.2 0.8 0.4
# A complete redraw, as opening will show them: zoom in and out again.
e2e_key ctrl+plus
e2e_key ctrl+minus
capture drawn

# Quitting now asks; Escape answers Cancel and zwmap stays.
e2e_key ctrl+q
e2e_wait_for 10 e2e_window_present '^Save changes to Untitled\?$' ||
    e2e_fail "quitting with unsaved paths did not ask 'Save changes to Untitled?'"
e2e_log "ok: 'Save changes to Untitled?' is asked"
e2e_key Escape
e2e_wait_for 10 e2e_window_absent '^Save changes' || e2e_fail "Escape did not close the question"
e2e_settle

# Save (ctrl+s) asks for a name the first time.
e2e_focus_main
e2e_key ctrl+s
e2e_wait_for 10 e2e_window_present '^Save Session$' || e2e_fail "ctrl+s opened no 'Save Session' dialog"
e2e_settle 0.5
e2e_type "$SESSION"
e2e_key Return
e2e_wait_for 10 test -s "$SESSION" || e2e_fail "no session file was written"
e2e_wait_for 10 e2e_window_present '^two.zwmap - zwmap$' || e2e_fail "the title does not name the file"
grep -q '"format": "zwmap-session"' "$SESSION" || e2e_fail "the file is no zwmap session"
e2e_log "ok: saved $(wc -c <"$SESSION") bytes"

# Saved: ctrl+q quits without a question.
e2e_focus_main
xdotool key --clearmodifiers ctrl+q  # not e2e_key: it checks that zwmap still runs
e2e_wait_for 10 bash -c "! kill -0 $E2E_APP_PID 2>/dev/null" || e2e_fail "zwmap did not quit after saving"
wait "$E2E_APP_PID" 2>/dev/null || true
E2E_APP_PID=
e2e_log "ok: quit without a question"

E2E_WINDOW_NAME='^two.zwmap - zwmap$' e2e_launch "$SESSION"
e2e_locate_panes
capture opened
for pane in DOMAIN RANGE; do
    a=$(eval echo "\$${pane}_drawn")
    b=$(eval echo "\$${pane}_opened")
    e2e_check "$(e2e_count_diff "$a" "$b")" -le 10 "the ${pane,,} shows what was saved"
done
e2e_check "$(e2e_count_nonwhite "$RANGE_opened" 50)" -ge 100 "the range shows the images"

# No display at all: the picture is still made.
OUT="$WORK/figure.png"
if ! env -u DISPLAY XDG_RUNTIME_DIR="$WORK" "$E2E_APP" --export "$OUT" --size 640x360 "$SESSION" \
    2>"$WORK/err"; then
    e2e_fail "zwmap --export failed: $(cat "$WORK/err")"
fi
e2e_check "$(identify -format '%w' "$OUT")" -eq 640 "the PNG is 640 wide"
e2e_check "$(identify -format '%h' "$OUT")" -eq 360 "the PNG is 360 high"
e2e_check "$(e2e_count_nonwhite "$OUT" 50)" -ge 500 "the PNG shows axes and paths"

# A broken file: non-zero, and one line that says what is wrong.
printf '{"format": "zwmap-session", "version": 9}' >"$WORK/new.zwmap"
status=0
env -u DISPLAY XDG_RUNTIME_DIR="$WORK" "$E2E_APP" --export "$WORK/x.png" "$WORK/new.zwmap" \
    2>"$WORK/err" || status=$?
e2e_check "$status" -ne 0 "a file from a newer zwmap fails"
grep -qx "zwmap: $WORK/new.zwmap: made by a newer zwmap (version 9)" "$WORK/err" ||
    e2e_fail "unexpected message: $(cat "$WORK/err")"
e2e_check "$(wc -l <"$WORK/err")" -eq 1 "one line on stderr"
[ ! -e "$WORK/x.png" ] || e2e_fail "a picture was written for a broken file"

# A title with a line break and a terminal escape in it: quoted, on one line, nothing raw.
printf '{"format": "zwmap-session", "version": 1, "function": {"kind": "catalogue", "title": "x\\u001b[2Jy\\nz"}}' \
    >"$WORK/escape.zwmap"
env -u DISPLAY XDG_RUNTIME_DIR="$WORK" "$E2E_APP" --export "$WORK/x.png" "$WORK/escape.zwmap" \
    2>"$WORK/err" && e2e_fail "a file with an unknown title was rendered"
grep -qxF "zwmap: $WORK/escape.zwmap: line 1: unknown function \"x\\x1b[2Jy\\nz\"" "$WORK/err" ||
    e2e_fail "unexpected message: $(cat -v "$WORK/err")"
e2e_check "$(wc -l <"$WORK/err")" -eq 1 "one line on stderr"

e2e_pass
