#!/bin/sh
# man_page_test.sh PROGRAM MAN_PAGE
# The man page documents every option and step name that PROGRAM --help lists, and is clean
# roff (groff's warnings, when groff is there).
set -u
program=$1
page=$2
. "$(dirname "$0")/help_names.sh"

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

help=$("$program" --help) || { echo "FAIL: $program --help exited $?"; exit 1; }
names=$( (printf '%s\n' "$help" | help_option_names; printf '%s\n' "$help" | help_step_names) | sort -u)
[ -n "$names" ] || fail "no names found in the help of $program"

# The page as words: "\-" is a plain hyphen, font changes and zero-width escapes go.
words=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\f(..//g' -e 's/\\&//g' "$page" |
    tr -s ' \t,;()[]|"' '[\n*]')
count=0
for name in $names; do
    count=$((count + 1))
    printf '%s\n' "$words" | grep -qxE -e "$name" -e "$name=.*" ||
        fail "$(basename "$page") does not mention $name"
done

if command -v groff >/dev/null 2>&1; then
    warnings=$(groff -man -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "groff warns about $(basename "$page"): $warnings"
else
    echo "groff is not installed: the roff check is skipped"
fi

[ "$failed" -eq 0 ] || exit 1
echo "$(basename "$page") documents all $count names of $(basename "$program") --help"
