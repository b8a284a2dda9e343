# shellcheck shell=sh
# Reads the names a program's --help documents, for the tests beside this file.
#   help_option_names: every --option and -h of the text
#   help_step_names:   every step of the indented lines below "Steps" (up to the next blank
#                      line), each without its "=ARGUMENTS"; sub-headings such as " model:" are
#                      skipped

help_option_names() {
    grep -oE '(^|[[:space:][|])(--[a-z][a-z-]*|-h)' | sed 's/^[[:space:][|]*//' | sort -u
}

help_step_names() {
    awk '/^Steps/ { steps = 1; next }
         steps && /^$/ { exit }
         steps && /^  [^ ]/ { for (i = 1; i <= NF; i++) { sub(/=.*/, "", $i); print $i } }' |
        sort -u
}
