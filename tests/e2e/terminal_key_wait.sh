# `script` gives the tool a terminal. It colours the console, waits for
# one key, then leaves the terminal as it found it. Ctrl-C ends the wait
# (status 130) with the terminal restored, unless the caller set Ctrl-C to
# be ignored: then the tool ignores it too and goes on waiting for a key.
is_windows && skip "the Windows console is tested under Wine separately"
command -v script >/dev/null || skip "no script command"
settings $'$output = out.cfg\n%no_popup_cfg = 1\n'"$SIMPLE"
# Per case: the keys typed (a blank between two pauses), the shell's
# handling of INT (its trap is not inherited; an ignored INT is), and the
# end of the console text.
cases=(key interrupt ignored)
keys=(x $'\003' $'\003 x')
traps=("" "trap : INT;" "trap '' INT;")
endings=($'. . . \n\033[0mstatus 0' $'. . . \033[0mstatus 130' $'. . . \n\033[0mstatus 0')
for i in "${!cases[@]}"; do
    (for key in ${keys[$i]}; do sleep 1; printf '%s' "$key"; done) | (cd "$work" && timeout 30 script -q -e -c \
        "${traps[$i]} \"$tool\" settings.ini; echo \"status \$?\"; stty -a" /dev/null) >"$work/console.out"
    tr -d '\r' <"$work/console.out" >"$work/console.txt"
    head -c 8 "$work/console.txt" | grep -q -F $'\033[37;44m' || fail "${cases[$i]}: no colours at the start"
    grep -q -F 'Press any key to continue . . . ' "$work/console.txt" || fail "${cases[$i]}: no key prompt"
    grep -q -F "${endings[$i]}" "$work/console.txt" || fail "${cases[$i]}: colours not reset, or wrong status"
    grep -q -E '(^| )icanon( |$)' "$work/console.txt" && grep -q -E '(^| )echo( |$)' "$work/console.txt" ||
        fail "${cases[$i]}: terminal settings not restored"
done
