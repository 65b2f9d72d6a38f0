# Two runs writing the same output at once: the one that finishes last
# wins, and the file is always one whole script, never a mix.
is_windows && skip "runs started together are a POSIX case"
filler=$(head -c 1000 /dev/zero | tr '\0' 'x')
for which in a b; do
    {
        printf '%%terminate = 1\n%%no_popup_cfg = 1\n$output = out.cfg\n$global_command = say %s;\n' "$which"
        printf '$()cycles = big\n{big\n$()maps = m0;10\n'
        awk -v filler="$filler" 'BEGIN { for (i = 1; i < 3000; i++) printf "m%d;10;;say %s;\n", i, filler }'
        printf '}\n'
    } >"$work/$which.ini"
    run "$which.ini" </dev/null
    mv "$work/out.cfg" "$work/$which.cfg"
done
for round in 1 2 3 4 5 6; do
    (cd "$work" && "$tool" a.ini </dev/null >/dev/null) &
    first=$!
    (cd "$work" && "$tool" b.ini </dev/null >/dev/null) &
    second=$!
    wait "$first" || fail "round $round: the first run failed"
    wait "$second" || fail "round $round: the second run failed"
    cmp -s "$work/out.cfg" "$work/a.cfg" || cmp -s "$work/out.cfg" "$work/b.cfg" ||
        fail "round $round: the script is a mix of both runs"
done
left=$(ls -A "$work" | grep '^\.out\.cfg\.')
[ -z "$left" ] || fail "left behind: $left"
