#!/usr/bin/env bash
# The helpers that the other end-to-end tests judge pictures with: a comparison or a crop that
# could not be made (a missing picture, pictures of other sizes) must fail the test, never read
# as "0 pixels differ". Needs no display: it runs the helpers on pictures it makes itself.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
E2E_SHOT_DIR="$(dirname "$E2E_APP")/e2e-shots/$E2E_NAME"
rm -rf "$E2E_SHOT_DIR"
mkdir -p "$E2E_SHOT_DIR"
dir=$E2E_SHOT_DIR

convert -size 40x30 xc:white "$dir/white.png"
convert -size 40x30 xc:white -fill black -draw 'rectangle 0,0 9,9' "$dir/marked.png"
convert -size 30x30 xc:white "$dir/other-size.png"

# Runs a helper in a subshell (e2e_fail exits it) and prints its status.
status_of() { (
    "$@" >/dev/null 2>&1
) && echo 0 || echo $?; }

# What works still gives its answers.
e2e_check "$(e2e_count_diff "$dir/white.png" "$dir/white.png")" -eq 0 "the same pictures differ nowhere"
e2e_check "$(e2e_count_diff "$dir/white.png" "$dir/marked.png")" -eq 100 "a 10x10 mark differs"
e2e_diff_mask "$dir/white.png" "$dir/marked.png" "$dir/mask.png" -compose src
e2e_check "$(e2e_count_nonwhite "$dir/mask.png" 50)" -eq 100 "the mask shows the mark"
e2e_check "$(e2e_count_nonwhite "$(e2e_crop "$dir/marked.png" 0 0 5 5)")" -eq 25 "a crop of the mark"

# What could not be done fails, whichever way it is called.
cases=(
    "e2e_count_diff $dir/white.png $dir/missing.png"
    "e2e_count_diff $dir/white.png $dir/other-size.png"
    "e2e_diff_mask $dir/white.png $dir/missing.png $dir/mask2.png"
    "e2e_diff_mask $dir/white.png $dir/other-size.png $dir/mask3.png"
    "e2e_crop $dir/missing.png 0 0 5 5"
    "e2e_check '' -eq 0 empty"
    "e2e_check 1.5e+03 -ge 0 garbled"
)
for c in "${cases[@]}"; do
    # shellcheck disable=SC2086
    e2e_check "$(status_of $c)" -ne 0 "fails: $c"
done
# Called as the tests call it, inside a check: a failed comparison is never a pass.
e2e_check "$(status_of e2e_check "$(e2e_count_diff "$dir/white.png" "$dir/missing.png" 2>/dev/null)" -eq 0 x)" \
    -ne 0 "a failed comparison inside a check fails the check"
e2e_pass
