#!/usr/bin/env bash
# Every translatable text of the sources is in each translations/*.ts, translated: lupdate, run
# as the update-translations target runs it but into a copy, finds nothing new, nothing gone and
# nothing unfinished. The .ts files in the tree are never written here.
# Usage: test_translations.sh LUPDATE TS_DIR LUPDATE_ARGUMENTS...
set -euo pipefail
lupdate=$1
ts_dir=$2
shift 2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

shopt -s nullglob
files=("$ts_dir"/*.ts)
[ ${#files[@]} -gt 0 ] || {
    echo "FAIL: no translations in $ts_dir" >&2
    exit 1
}
status=0
for ts in "${files[@]}"; do
    name=$(basename "$ts")
    copy=$tmp/$name
    cp "$ts" "$copy"
    if ! "$lupdate" "$@" -ts "$copy" >"$tmp/lupdate.log" 2>&1; then
        cat "$tmp/lupdate.log" >&2
        echo "FAIL: lupdate could not read the sources into $name" >&2
        exit 1
    fi
    # lupdate says what it could not read (a tr() outside a class, a text not a literal).
    if grep -qi 'warning' "$tmp/lupdate.log"; then
        cat "$tmp/lupdate.log" >&2
        echo "FAIL: lupdate warns about the sources (above)" >&2
        status=1
    fi
    unfinished=$(grep -c 'type="unfinished"' "$copy" || true)
    if [ "$unfinished" -gt 0 ]; then
        echo "FAIL: $name: $unfinished texts without a translation (build the target" \
            "update-translations, then translate them):" >&2
        grep -B2 'type="unfinished"' "$copy" | grep '<source>' | sed 's/^ */  /' >&2
        status=1
    fi
    if ! cmp -s "$ts" "$copy"; then
        echo "FAIL: $name differs from what lupdate makes of the sources (texts gone or" \
            "changed; build the target update-translations):" >&2
        diff "$ts" "$copy" | head -40 >&2 || true
        status=1
    fi
done
[ $status -eq 0 ] && echo "ok: ${#files[@]} translation(s) complete and up to date"
exit $status
