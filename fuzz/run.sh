#!/usr/bin/env bash
# Runs one fuzz target for a fixed number of inputs:
#   run.sh <target> <runs> <seed corpus folder> <folder for crash reproducers>
# New inputs go to a fresh temporary folder, which is removed afterwards: the seed corpus is
# only read.
set -euo pipefail
target=$1 runs=$2 seeds=$3 artifacts=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$artifacts"
corpora=("$work")
if [ -d "$seeds" ]; then corpora+=("$seeds"); fi
# -timeout: an input that takes longer than this is a hang, which fails the run.
# Not exec: the EXIT trap must still run to remove the temporary folder; the target's own
# status is passed on.
status=0
"$target" -runs="$runs" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$(basename "$target")-" "${corpora[@]}" || status=$?
exit "$status"
