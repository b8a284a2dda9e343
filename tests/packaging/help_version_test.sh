#!/bin/sh
# help_version_test.sh VERSION PROGRAM...
# Every program answers --version with "NAME VERSION" and --help (and -h) with its usage, with
# exit status 0, nothing on standard error and no display: the window programs must answer
# before they open one. The steps moldrin-batch's help lists must be steps it takes.
set -u
version=$1
shift
. "$(dirname "$0")/help_names.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

# Runs the program without any display; its output lands in $scratch/out and $scratch/err.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$scratch/out" 2>"$scratch/err"
}

for program in "$@"; do
    name=$(basename "$program")
    run "$program" --version
    status=$?
    [ "$status" -eq 0 ] || fail "$name --version exited $status: $(cat "$scratch/err")"
    [ "$(cat "$scratch/out")" = "$name $version" ] ||
        fail "$name --version printed \"$(cat "$scratch/out")\", not \"$name $version\""
    [ ! -s "$scratch/err" ] || fail "$name --version wrote to standard error"

    for option in --help -h; do
        run "$program" "$option"
        status=$?
        [ "$status" -eq 0 ] || fail "$name $option exited $status: $(cat "$scratch/err")"
        head -n 1 "$scratch/out" | grep -q "^usage: $name " || fail "$name $option printed no usage line"
        [ ! -s "$scratch/err" ] || fail "$name $option wrote to standard error"
    done

    # The help asked for after other arguments is the help all the same.
    run "$program" --geoset 2 --help
    head -n 1 "$scratch/out" | grep -q "^usage: $name " || fail "$name answers --help only first"

    # A help that cannot be written is a failure.
    if [ -w /dev/full ]; then
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help >/dev/full 2>/dev/null
        status=$?
        [ "$status" -ne 0 ] || fail "$name --help into a full disk exited 0"
    fi

    if [ "$name" = moldrin-batch ]; then
        run "$program" --help
        steps=$(help_step_names <"$scratch/out")
        [ "$(printf '%s\n' "$steps" | wc -l)" -ge 50 ] || fail "moldrin-batch --help lists too few steps"
        # Step names are checked before the model is read: an unknown one gives status 2.
        # shellcheck disable=SC2086
        run "$program" "$scratch/missing.mdl" $steps
        status=$?
        [ "$status" -ne 2 ] || fail "moldrin-batch refuses a step of its help: $(cat "$scratch/err")"
    fi
done

[ "$failed" -eq 0 ] || exit 1
echo "--help and --version answered by $# programs"
