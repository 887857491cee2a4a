#!/usr/bin/env bash
# fuzz/run.sh, the runner of every fuzz target: it passes the target its arguments and its exit
# status on, and leaves no temporary folder behind, whether the target passes or fails.
set -euo pipefail
runner=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A stand-in target: records its arguments, writes into the corpus folder it is given first
# (as libFuzzer writes new inputs there) and exits with the status it is told.
cat >"$scratch/target" <<'TARGET'
#!/usr/bin/env bash
printf '%s\n' "$@" >"$ARGS_FILE"
for a in "$@"; do
    case $a in -*) ;; *) echo input >"$a/new-input"; break ;; esac
done
exit "$TARGET_STATUS"
TARGET
chmod +x "$scratch/target"
mkdir -p "$scratch/seeds" "$scratch/tmp"
echo seed >"$scratch/seeds/one"

for status in 0 1 77; do
    rm -rf "${scratch:?}/tmp/"*
    got=0
    ARGS_FILE=$scratch/args TARGET_STATUS=$status TMPDIR=$scratch/tmp \
        bash "$runner" "$scratch/target" 123 "$scratch/seeds" "$scratch/artifacts" || got=$?
    [ "$got" -eq "$status" ] || fail "target exited $status, runner $got"
    grep -qx -- '-runs=123' "$scratch/args" || fail "the number of runs was not passed"
    grep -qx -- "$scratch/seeds" "$scratch/args" || fail "the seed corpus was not passed"
    [ -z "$(ls -A "$scratch/tmp")" ] || fail "temporary folder left behind: $(ls "$scratch/tmp")"
    [ "$(ls "$scratch/seeds")" = one ] || fail "the seed corpus was written to"
    [ -d "$scratch/artifacts" ] || fail "no folder for crash reproducers"
done
echo "PASS"
