#!/usr/bin/env bash
# Domain > Shade by Modulus shades the whole domain by |exp z| = e^x: one grey per column,
# lighter on the left. Resizing the window (in steps, as a hand drags its corner) keeps the app
# answering and the shading covering the domain at its new size, larger and smaller.
source "$(dirname "$0")/lib.sh" "$1"
e2e_require_tools
e2e_start
e2e_locate_panes

# Fraction (percent) of an image's pixels that are white: unshaded background.
white_percent() {
    convert "$1" -alpha off -colorspace Gray -threshold 99% -format '%[fx:round(100*mean)]' info:
}
# Mean grey (percent) of a part of an image given as WxH+X+Y.
mean_of() {
    convert "$1" -crop "$2" +repage -alpha off -colorspace Gray -format '%[fx:round(100*mean)]' info:
}
domain_view() { e2e_shot "$1"; DOMAIN=$(e2e_crop_view "$E2E_SHOT" domain); }
shaded() { domain_view shading; [ "$(white_percent "$DOMAIN")" -le 1 ]; }

# The shading covers the domain and depends on x only; the range is not shaded.
check_shading() {
    local what=$1 w h
    e2e_wait_for 15 shaded || e2e_fail "$what: the domain is not shaded all over ($(white_percent "$DOMAIN")% white)"
    e2e_log "ok: $what: the domain is shaded all over"
    read -r w h < <(identify -format '%w %h\n' "$DOMAIN")
    # New area shows up at the edges: each edge strip is shaded as well.
    local strip
    for strip in "${w}x30+0+0" "${w}x30+0+$((h - 30))" "40x${h}+0+0" "40x${h}+$((w - 40))+0"; do
        e2e_check "$(convert "$DOMAIN" -crop "$strip" +repage -alpha off -colorspace Gray -threshold 99% \
            -format '%[fx:round(100*mean)]' info:)" -le 1 "$what: the strip $strip is shaded"
    done
    # Top and bottom bands have the same column profile (shading by e^x depends on x only).
    local top bottom
    top=$(mktemp --suffix=.png)
    bottom=$(mktemp --suffix=.png)
    convert "$DOMAIN" -crop "${w}x40+0+40" +repage -filter box -resize "${w}x1!" "$top"
    convert "$DOMAIN" -crop "${w}x40+0+$((h - 80))" +repage -filter box -resize "${w}x1!" "$bottom"
    local differing
    differing=$(e2e_count_diff "$top" "$bottom")
    rm -f "$top" "$bottom"
    e2e_check "$differing" -le $((w / 50)) "$what: each column has one shade from top to bottom"
    e2e_check "$(mean_of "$DOMAIN" "$((w / 5))x${h}+0+0")" -gt $(($(mean_of "$DOMAIN" "$((w / 5))x${h}+$((w - w / 5))+0") + 20)) \
        "$what: the shading is lighter on the left (small |exp z|) than on the right"
    local range
    range=$(e2e_crop_view "$E2E_SHOT" range)
    e2e_check "$(white_percent "$range")" -ge 80 "$what: the range is not shaded"
}

# Domain menu: Zoom In, Zoom Out, Show Axis Labels, Show Grid, Shade by Modulus.
e2e_key alt+d
e2e_key Down Down Down Down Return
check_shading "at start"

grow_to() { # w h: in steps, then wait for the window and its panes to take the size
    local w=$1 h=$2 i from_w=$E2E_WIN_W from_h=$E2E_WIN_H
    for i in 1 2 3 4; do
        xdotool windowsize "$E2E_WIN" $((from_w + (w - from_w) * i / 4)) $((from_h + (h - from_h) * i / 4))
        sleep 0.05
    done
    e2e_resize "$w" "$h"
    e2e_settle 1
}

old_w=$E2E_DOMAIN_W
grow_to 1220 770
e2e_locate_panes
e2e_check "$E2E_DOMAIN_W" -ge $((old_w + 90)) "the domain grew with the window"
check_shading "after growing"

# Still answering: a zoom shortcut changes the picture at once, and back.
before=$DOMAIN
e2e_focus_main
e2e_key ctrl+plus
domain_view zoomed
e2e_check "$(e2e_count_diff "$before" "$DOMAIN")" -ge 1000 "the app answers a zoom after the resize"
e2e_key ctrl+minus
domain_view unzoomed
e2e_check "$(e2e_count_diff "$before" "$DOMAIN")" -le 10 "and zooms back out"

grow_to 820 540
e2e_locate_panes
e2e_check "$E2E_DOMAIN_W" -le $((old_w - 60)) "the domain shrank with the window"
check_shading "after shrinking"

e2e_pass
