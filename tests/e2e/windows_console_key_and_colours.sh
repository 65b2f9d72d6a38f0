# Under a terminal, Wine gives the tool a console: it colours it, waits
# for one key, and does not wait when its input is redirected.
is_windows || skip "a Windows console case"
command -v script >/dev/null || skip "no script command"
settings $'$output = out.cfg\n%no_popup_cfg = 1\n'"$SIMPLE"
(sleep 3; printf x) | (cd "$work" && timeout 60 script -q -e -c \
    "$KESTRANE_RUNNER \"$tool\" settings.ini; echo \"status \$?\"" /dev/null) >"$work/console.out"
sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' "$work/console.out" | tr -d '\r' >"$work/console.txt"
grep -q -F 'Press any key to continue . . . ' "$work/console.txt" || fail "no key prompt"
grep -q -x 'status 0' "$work/console.txt" || fail "no clean end after the key"
grep -q -F $'\033[44m' "$work/console.out" || fail "no blue background"
(cd "$work" && timeout 60 script -q -e -c "$KESTRANE_RUNNER \"$tool\" settings.ini </dev/null" /dev/null) \
    >"$work/console.out"
grep -q 'Press any key' "$work/console.out" && fail "waited with its input redirected"
