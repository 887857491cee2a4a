#!/usr/bin/env bash
# The command line as a script sees it. Usage errors are one line and status 2, with a display
# or without; a written picture prints nothing; any other error is one line and status 1, the
# last line even with --verbose. A named pipe, a device or a loop of links is refused at once
# and named, on the command line and in the window; a full device says so. Pictures leave the
# pointer's readout out, and --scale draws the same view in more pixels.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
E2E_SHOT_DIR="$(dirname "$E2E_APP")/e2e-shots/$E2E_NAME"
rm -rf "$E2E_SHOT_DIR"
mkdir -p "$E2E_SHOT_DIR"
WORK=$(mktemp -d)
trap 'e2e_cleanup; rm -rf "$WORK"' EXIT
trap 'exit 1' INT TERM
e2e_start_xvfb
WITH_DISPLAY=$DISPLAY

# Invert divides by zero at the origin: the export has diagnostics to keep quiet.
S="$WORK/s.zwmap"
cat >"$S" <<'EOF'
{
 "format": "zwmap-session",
 "version": 1,
 "function": {"kind": "catalogue", "title": "Invert"},
 "shading": {"showContours": false, "showArguments": false, "highestResolution": false,
             "colours": "classic"},
 "domain": {
  "view": {"scaleFactor": 1.0, "centre": [0.0, 0.0]},
  "tickMarks": true, "showGridlines": true, "showTransformedPathsInDomain": false,
  "showInverseImagesOfRangeGridlines": false, "pathColor": [0.0, 0.0, 0.0, 1.0],
  "paths": [{"color": [0.0, 0.0, 0.0, 1.0], "points": [[0.5, 0.5], [1.0, 0.0], [0.5, -0.5]]}],
  "transformedPathsShownInDomain": [
   {"color": [0.0, 0.0, 0.0, 1.0], "points": [[1.0, -1.0], [1.0, 0.0], [1.0, 1.0]]}]
 },
 "range": {
  "view": {"scaleFactor": 0.5, "centre": [0.0, 0.0]},
  "tickMarks": true, "showGridlines": false, "showTransformedGridlines": true,
  "followCurvesNearPoles": false, "pathColor": [0.0, 0.0, 0.0, 1.0],
  "paths": [{"color": [0.0, 0.0, 0.0, 1.0], "points": [[1.0, -1.0], [1.0, 0.0], [1.0, 1.0]]}]
 }
}
EOF

# Runs zwmap in a clean environment, with the test's display or with none, and never for
# ever: sets STATUS; standard output and error go to $WORK/out and $WORK/err.
run() {
    local display=$1
    shift
    local env=(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR -u DISPLAY)
    [ "$display" = with ] && env+=(DISPLAY="$WITH_DISPLAY")
    STATUS=0
    (cd "$WORK" && timeout 30 "${env[@]}" "$E2E_APP" "$@") >"$WORK/out" 2>"$WORK/err" || STATUS=$?
    [ "$STATUS" -ne 124 ] || e2e_fail "zwmap $* did not finish within 30 s"
}

# The status was $1 and standard error is exactly the one line $2 (a grep -x pattern).
expect_one_line() {
    local status=$1 line=$2
    shift 2
    [ "$STATUS" -eq "$status" ] || e2e_fail "$*: status $STATUS, wanted $status: $(cat "$WORK/err")"
    [ "$(wc -l <"$WORK/err")" -eq 1 ] && grep -qx -- "$line" "$WORK/err" ||
        e2e_fail "$*: wanted the one line '$line', got: $(cat "$WORK/err")"
    [ ! -s "$WORK/out" ] || e2e_fail "$*: wrote to standard output: $(cat "$WORK/out")"
}

# ---- Usage errors: 2, one line, no picture, display or none ----------------------------------
usage_cases=(
    "--plane range s.zwmap"
    "--scale 2 s.zwmap"
    "--export p.jpg s.zwmap"
    "--export picture s.zwmap"
    "--export p.svgz s.zwmap"
    "--export '' s.zwmap"
    "--export o.png --scale 0 s.zwmap"
    "--export o.png --scale 1.5 s.zwmap"
    "--export o.png --scale 9 s.zwmap"
    "--export o.png --size 4000x300 --scale 3 s.zwmap"
    "--export o.png --size 10 s.zwmap"
    "--export o.png --plane left s.zwmap"
    "--export o.png"
    "--export o.png --bogus s.zwmap"
    "s.zwmap s.zwmap"
    "--set a=1 s.zwmap"
    "--export o.gif s.zwmap"
    "--export o.png --animate a=0:1 s.zwmap"
    "--export o.gif --animate a=0 s.zwmap"
    "--export o.gif --animate a=0:1 --frames 10001 s.zwmap"
    "--export o.png --set a=1 s.zwmap"
    "--export o-%03d.png --animate a=0:1 s.zwmap"
)
for display in without with; do
    for case in "${usage_cases[@]}"; do
        eval "set -- $case"
        run "$display" "$@"
        expect_one_line 2 'zwmap: .*' "zwmap $case ($display a display)"
    done
done
[ -z "$(ls "$WORK" | grep -v '^s\.zwmap$\|^out$\|^err$')" ] ||
    e2e_fail "a usage error left a file: $(ls "$WORK")"
e2e_log "ok: ${#usage_cases[@]} usage errors give status 2 and one line, with a display and without"

# The window where there is no display to show it on: one line too.
run without s.zwmap
expect_one_line 1 'zwmap: no display to show the window on.*' "zwmap s.zwmap without a display"
e2e_log "ok: no display for the window is one line"

# ---- A written picture prints nothing ------------------------------------------------------
for display in without with; do
    run "$display" --export "$WORK/ok.png" "$S"
    [ "$STATUS" -eq 0 ] || e2e_fail "the export failed ($display a display): $(cat "$WORK/err")"
    [ ! -s "$WORK/err" ] && [ ! -s "$WORK/out" ] ||
        e2e_fail "a written picture printed ($display a display): $(cat "$WORK/out" "$WORK/err")"
done
e2e_check "$(identify -format '%wx%h' "$WORK/ok.png" | tr -d x)" -eq 1000500 "the PNG is 1000x500"
# The lower left corners, where the pointer's readout stands on the screen: white.
e2e_check "$(e2e_count_nonwhite "$(e2e_crop "$WORK/ok.png" 0 482 110 18)" 60)" -eq 0 \
    "no readout in the domain's corner"
e2e_check "$(e2e_count_nonwhite "$(e2e_crop "$WORK/ok.png" 503 482 110 18)" 60)" -eq 0 \
    "no readout in the range's corner"
e2e_check "$(e2e_count_nonwhite "$WORK/ok.png" 60)" -ge 1000 "the planes are drawn"

# ---- Animations: the frames asked for, silent in a script, counted on a terminal --------------
P="$WORK/p.zwmap"
sed 's/"function": {[^}]*}/"function": {"kind": "formula", "formula": "z^2 + a", "inverse": ""}/' \
    "$S" >"$P"
run without --export "$WORK/anim.gif" --animate a=0:1+i --frames 4 --size 200x100 "$P"
[ "$STATUS" -eq 0 ] && [ ! -s "$WORK/err" ] && [ ! -s "$WORK/out" ] ||
    e2e_fail "an animation in a script: status $STATUS: $(cat "$WORK/out" "$WORK/err")"
e2e_check "$(identify "$WORK/anim.gif" | wc -l)" -eq 4 "the GIF has 4 frames"
run without --export "$WORK/anim-%03d.png" --animate a=-1:1 --frames 3 --size 200x100 "$P"
[ "$STATUS" -eq 0 ] || e2e_fail "a PNG series: status $STATUS: $(cat "$WORK/err")"
[ "$(cd "$WORK" && ls anim-*.png | tr '\n' ' ')" = "anim-001.png anim-002.png anim-003.png " ] ||
    e2e_fail "the series is not anim-001.png to anim-003.png: $(ls "$WORK")"
run without --export "$WORK/b.gif" --animate b=0:1 "$P"
expect_one_line 2 "zwmap: f has no parameter b (its parameters: a)" "an unknown parameter"
[ ! -e "$WORK/b.gif" ] || e2e_fail "an unknown parameter wrote a file"
# On a terminal (script gives it one) a line counts the frames.
(cd "$WORK" && timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY script -qec \
    "'$E2E_APP' --export term.webp --animate a=0:1 --frames 3 --size 100x50 p.zwmap" \
    /dev/null) >"$WORK/tty" 2>&1 || e2e_fail "the export on a terminal failed: $(cat "$WORK/tty")"
grep -q 'zwmap: frame 3 of 3' "$WORK/tty" || e2e_fail "no progress on a terminal: $(cat "$WORK/tty")"
rm -f "$WORK"/anim* "$WORK/term.webp" "$WORK/tty"
e2e_log "ok: animations have their frames, are silent in a script and counted on a terminal"

# ---- Other errors: 1 and one line; with --verbose the diagnostics come first -----------------
run without --export "$WORK/nowhere/x.png" "$S"
expect_one_line 1 "zwmap: $WORK/nowhere/x.png: cannot be written (no such folder)" "an unwritable picture"
run without --verbose --export "$WORK/nowhere/x.png" "$S"
[ "$STATUS" -eq 1 ] || e2e_fail "--verbose: status $STATUS"
grep -qx 'invert: Division by zero!' "$WORK/err" || e2e_fail "--verbose shows no diagnostics: $(cat "$WORK/err")"
[ "$(tail -n 1 "$WORK/err")" = "zwmap: $WORK/nowhere/x.png: cannot be written (no such folder)" ] ||
    e2e_fail "--verbose: the error is not the last line: $(cat "$WORK/err")"
e2e_log "ok: an error is one line, and the last one with --verbose"

# ---- What is no regular file, a loop of links, a full device ---------------------------------
mkfifo "$WORK/pipe.zwmap"
ln -s /dev/null "$WORK/null.zwmap"
ln -s b.zwmap "$WORK/a.zwmap"
ln -s a.zwmap "$WORK/b.zwmap"
run without --export "$WORK/o.png" "$WORK/pipe.zwmap"
expect_one_line 1 "zwmap: $WORK/pipe.zwmap: a named pipe, not a session file" "a named pipe"
run without --export "$WORK/o.png" "$WORK/null.zwmap"
expect_one_line 1 "zwmap: $WORK/null.zwmap: a device, not a session file" "a device"
run without --export "$WORK/o.png" "$WORK/a.zwmap"
expect_one_line 1 "zwmap: $WORK/a.zwmap: cannot be read (its symbolic links go round in a loop)" \
    "a loop of links"
# A device that is always full: where it may be made (as root), a private node of it, which a
# writer that replaces files could replace without harm; otherwise a link to the system's.
mknod "$WORK/full.png" c 1 7 2>/dev/null || ln -s /dev/full "$WORK/full.png"
run without --export "$WORK/full.png" "$S"
expect_one_line 1 "zwmap: $WORK/full.png: cannot be written (no space left on the device)" "a full device"
[ -c "$WORK/full.png" ] || e2e_fail "the device was replaced by a file"
e2e_log "ok: a pipe, a device, a loop of links and a full device are named"

# ---- --scale: the same view in more pixels ---------------------------------------------------
run without --export "$WORK/one.png" --plane domain --size 400x300 "$S"
run without --export "$WORK/two.png" --plane domain --size 400x300 --scale 2 "$S"
[ "$STATUS" -eq 0 ] && [ ! -s "$WORK/err" ] || e2e_fail "--scale 2: $(cat "$WORK/err")"
e2e_check "$(identify -format '%w' "$WORK/two.png")" -eq 800 "--scale 2 doubles the width"
e2e_check "$(identify -format '%h' "$WORK/two.png")" -eq 600 "--scale 2 doubles the height"
convert "$WORK/two.png" -filter box -resize 400x300 "$WORK/two-half.png"
e2e_check "$(e2e_count_diff "$WORK/one.png" "$WORK/two-half.png")" -le 1200 \
    "halved, the scaled picture is the same view"
run without --export "$WORK/three.svg" --scale 3 "$S"
[ "$STATUS" -eq 0 ] && [ ! -s "$WORK/err" ] || e2e_fail "--scale 3 to an SVG: $(cat "$WORK/err")"

# ---- The window refuses the pipe too, and says so ---------------------------------------------
e2e_launch "$WORK/pipe.zwmap"
e2e_wait_for 10 e2e_window_present '^The session could not be opened\.$' ||
    e2e_fail "opening a named pipe gave no notice"
e2e_log "ok: the window explains the named pipe"
notice=$(e2e_window_named '^The session could not be opened\.$')
xdotool windowfocus --sync "$notice" >/dev/null 2>&1 || xdotool windowfocus "$notice"
e2e_key Return
e2e_wait_for 10 e2e_window_absent '^The session could not be opened' || e2e_fail "the notice stays"
e2e_settle

e2e_pass
