#!/usr/bin/env bash
# The language follows the desktop's. Under LANG=de_DE.UTF-8 the help of the command line (Qt's
# headings too), the menus and the dialogs are German; under C.UTF-8 they are English; LANGUAGE
# comes before LANG. The catalogue's titles stay as they are in both (Function > Invert names the
# function in sessions), and so does a picture made from a session.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8' ||
    e2e_fail "the locale de_DE.UTF-8 is missing; scripts/setup generates it"
# lib.sh keeps every other test English; here the desktop's own variables decide.
unset LANGUAGE LC_ALL LC_MESSAGES

# Prints zwmap's --help in the environment given as NAME=VALUE arguments.
help_in() { env "$@" QT_QPA_PLATFORM=offscreen "$E2E_APP" --help 2>&1; }

german=$(help_in LANG=de_DE.UTF-8)
for line in 'Aufruf:' 'Komplexe Funktionen w = f(z) als Abbildungen der Ebene.' \
    'Die zu öffnende oder auszugebende Sitzung.'; do
    grep -qF -- "$line" <<<"$german" || e2e_fail "--help under de_DE.UTF-8 has no '$line': $german"
done
grep -qF 'Complex functions' <<<"$german" && e2e_fail "--help under de_DE.UTF-8 is still English"
e2e_log "ok: --help is German under LANG=de_DE.UTF-8"

english=$(help_in LANG=C.UTF-8)
for line in 'Usage:' 'Complex functions w = f(z) as mappings of the plane.' \
    'The session to open or render.'; do
    grep -qF -- "$line" <<<"$english" || e2e_fail "--help under C.UTF-8 has no '$line': $english"
done
e2e_check "$(help_in LANG=de_DE.UTF-8 LANGUAGE=en | grep -c 'Complex functions')" -eq 1 \
    "LANGUAGE=en keeps the help English on a German desktop"
e2e_check "$(help_in LANG=C.UTF-8 LANGUAGE=de | grep -c 'Komplexe Funktionen')" -eq 1 \
    "LANGUAGE=de makes it German"

# The same picture from a session in both languages: nothing drawn depends on the language.
WORK=$(mktemp -d)
trap 'e2e_cleanup; rm -rf "$WORK"' EXIT
cat >"$WORK/s.zwmap" <<'JSON'
{
 "format": "zwmap-session",
 "version": 1,
 "function": {"kind": "catalogue", "title": "Invert"},
 "shading": {"showContours": false, "showArguments": true, "highestResolution": false,
             "colours": "classic"},
 "domain": {
  "view": {"scaleFactor": 1.0, "centre": [0.0, 0.0]},
  "tickMarks": true, "showGridlines": true, "showTransformedPathsInDomain": false,
  "showInverseImagesOfRangeGridlines": false, "pathColor": [0.0, 0.0, 0.0, 1.0],
  "paths": [{"color": [1.0, 0.0, 0.0, 1.0], "points": [[0.5, 0.5], [1.0, 0.0], [0.5, -0.5]]}],
  "transformedPathsShownInDomain": [
   {"color": [1.0, 0.0, 0.0, 1.0], "points": [[1.0, -1.0], [1.0, 0.0], [1.0, 1.0]]}]
 },
 "range": {
  "view": {"scaleFactor": 0.5, "centre": [0.0, 0.0]},
  "tickMarks": true, "showGridlines": false, "showTransformedGridlines": true,
  "followCurvesNearPoles": false, "pathColor": [0.0, 0.0, 0.0, 1.0],
  "paths": [{"color": [1.0, 0.0, 0.0, 1.0], "points": [[1.0, -1.0], [1.0, 0.0], [1.0, 1.0]]}]
 }
}
JSON
LANG=de_DE.UTF-8 "$E2E_APP" --export "$WORK/de.svg" "$WORK/s.zwmap" ||
    e2e_fail "no picture under de_DE.UTF-8"
LANG=C.UTF-8 "$E2E_APP" --export "$WORK/en.svg" "$WORK/s.zwmap" || e2e_fail "no picture under C.UTF-8"
cmp -s "$WORK/de.svg" "$WORK/en.svg" || e2e_fail "the pictures differ between the languages"
e2e_log "ok: the same picture in both languages"

# The window: Help > Keys and Mouse by the keyboard (Alt+H, then the first item).
open_keys_list() {
    e2e_key alt+h
    e2e_key Return
}

export LANG=de_DE.UTF-8
e2e_start
open_keys_list
e2e_wait_for 10 e2e_window_present '^Tasten und Maus$' ||
    e2e_fail "Hilfe > Tasten und Maus did not open under de_DE.UTF-8"
e2e_window_present '^Keys and Mouse$' && e2e_fail "an English keys list under de_DE.UTF-8"
e2e_log "ok: the Help menu and its dialog are German"
kill "$E2E_APP_PID"
wait "$E2E_APP_PID" 2>/dev/null || true
e2e_wait_for 10 e2e_window_absent '^Tasten und Maus$' || e2e_fail "the German window stayed"

export LANG=C.UTF-8
e2e_launch
open_keys_list
e2e_wait_for 10 e2e_window_present '^Keys and Mouse$' ||
    e2e_fail "Help > Keys and Mouse did not open under C.UTF-8"
e2e_log "ok: and English under C.UTF-8"
e2e_pass
