#!/usr/bin/env bash
# The layers below the application (the planes and their views, the function engine, the
# formula reader and the platform services) know nothing of the application or of the widgets:
# they reach the controller only through the interface declared beside the planes.
set -euo pipefail
src=$1
[ -d "$src/app" ] && [ -d "$src/views" ] || {
    echo "FAIL: $src is not the source folder" >&2
    exit 1
}
status=0
for dir in views planes engine formula platform roots; do
    [ -d "$src/$dir" ] || {
        echo "FAIL: $src/$dir is missing" >&2
        exit 1
    }
    if grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"(app|qt)/' "$src/$dir"; then
        echo "FAIL: src/$dir includes from above it (lines above)" >&2
        status=1
    fi
done
exit $status
