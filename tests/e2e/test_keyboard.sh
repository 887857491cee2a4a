#!/usr/bin/env bash
# A whole session with the keyboard alone: Square from the Function menu, a line through Edit >
# Add Line's dialog, the domain zoomed by its menu key, the range given the keys with Ctrl+2 and
# zoomed and panned with them, and the session saved with Ctrl+S. The file holds it all.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
e2e_start

WORK=$(mktemp -d)
trap 'e2e_cleanup; rm -rf "$WORK"' EXIT
SESSION="$WORK/keys.zwmap"

# Function > Square, the third item: the menu opens on the first.
e2e_key alt+u
e2e_key Down Down Return
e2e_settle

# Edit > Add Line..., third from the end: Up wraps from the first item to the last.
e2e_focus_main
e2e_key alt+e
e2e_key Up Up Up Return
e2e_wait_for 10 e2e_window_present '^Add Line$' || e2e_fail "the Add Line dialog did not open"
e2e_settle 0.5
# The first field has the keys; Tab goes on to the next.
for value in 0.5 0.25 1.5 -0.75; do
    e2e_key ctrl+a
    e2e_type "$value"
    e2e_key Tab
done
e2e_shot dialog
e2e_key Return
e2e_wait_for 10 e2e_window_absent '^Add Line$' || e2e_fail "OK (Return) did not close the dialog"
e2e_settle

# The domain by its menu key; the range by its own keys once it has them.
e2e_focus_main
e2e_key ctrl+plus
e2e_key ctrl+2
e2e_key plus
e2e_key Left
e2e_shot done

e2e_key ctrl+s
e2e_wait_for 10 e2e_window_present '^Save Session$' || e2e_fail "ctrl+s opened no 'Save Session' dialog"
e2e_settle 0.5
e2e_type "$SESSION"
e2e_key Return
e2e_wait_for 10 test -s "$SESSION" || e2e_fail "no session file was written"
e2e_log "saved $(wc -c <"$SESSION") bytes"

# Prints the file's text from the line that has $1 to the end, squeezed onto one line.
from() { awk -v key="$1" 'index($0, key) { on = 1 } on' "$SESSION" | tr -d ' \n'; }
expect() { # text, what
    case $(tr -d ' \n' <"$SESSION") in
        *"$1"*) e2e_log "ok: $2" ;;
        *) cat "$SESSION" >&2; e2e_fail "$2: the file has no $1" ;;
    esac
}
expect '"function":{"kind":"catalogue","title":"Square"}' "the function is Square"
expect '"domain":{"view":{"scaleFactor":2.0,"centre":[0.0,0.0]}' "the domain is zoomed in, not moved"
expect '"range":{"view":{"scaleFactor":2.0,"centre":[-0.5,0.0]}' "the range is zoomed in and panned"
# The line from 0.5 + 0.25i to 1.5 - 0.75i, and its image from (0.5 + 0.25i)² = 0.1875 + 0.25i.
domain_paths=$(from '"paths"')
case $domain_paths in
    '"paths":[{"color":[0.0,0.0,0.0,1.0],"points":[[0.5,0.25],'*) e2e_log "ok: the line starts at 0.5 + 0.25i" ;;
    *) cat "$SESSION" >&2; e2e_fail "the domain's first path does not start at 0.5 + 0.25i" ;;
esac
expect ',[1.5,-0.75]]' "the line ends at 1.5 - 0.75i"
range_paths=$(awk '/"range"/ { on = 1 } on' "$SESSION" | tr -d ' \n')
case $range_paths in
    *'"paths":[{"color":[0.0,0.0,0.0,1.0],"points":[[0.1875,0.25],'*) e2e_log "ok: its image is there" ;;
    *) cat "$SESSION" >&2; e2e_fail "the range has no image starting at 0.1875 + 0.25i" ;;
esac
e2e_pass
