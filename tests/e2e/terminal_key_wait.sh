# `script` gives the tool a terminal. It colours the console, waits for
# one key (or Ctrl-C), then leaves the terminal as it found it.
is_windows && skip "the Windows console is tested under Wine separately"
command -v script >/dev/null || skip "no script command"
settings $'$output = out.cfg\n%no_popup_cfg = 1\n'"$SIMPLE"
for key in x $'\003'; do
    (sleep 1; printf '%s' "$key") | (cd "$work" && script -q -e -c \
        "trap '' INT; \"$tool\" settings.ini; echo \"status \$?\"; stty -a" /dev/null) >"$work/console.out"
    tr -d '\r' <"$work/console.out" >"$work/console.txt"
    head -c 8 "$work/console.txt" | grep -q -F $'\033[37;44m' || fail "no colours at the start"
    grep -q -F 'Press any key to continue . . . ' "$work/console.txt" || fail "no key prompt"
    if [ "$key" = x ]; then
        grep -q -F $'. . . \n\033[0mstatus 0' "$work/console.txt" || fail "colours not reset after the key"
    else
        grep -q -F $'. . . \033[0mstatus 130' "$work/console.txt" || fail "colours not reset on Ctrl-C, or wrong status"
    fi
    grep -q -E '(^| )icanon( |$)' "$work/console.txt" && grep -q -E '(^| )echo( |$)' "$work/console.txt" ||
        fail "terminal settings not restored"
done
