# At the prompt the typed line is trimmed; a path in double or single quotes
# (as a file dragged into a console or terminal arrives) is taken without
# them; a line without quotes is taken whole when it names a file, else its
# first word.
settings $'%terminate = 1\n$output = out.cfg\n'"$SIMPLE" "my cycles.ini"
settings $'%terminate = 1\n$output = first.cfg\n'"$SIMPLE" first.ini
lines=("\"my cycles.ini\"" "  'my cycles.ini'  " "my cycles.ini" $'\t my cycles.ini \r' "\"my cycles.ini\" was dragged here"
    $'\n  \n"my cycles.ini"')
for line in "${lines[@]}"; do
    rm -f "$work/out.cfg"
    printf '%s\n' "$line" >"$work/typed"
    run <"$work/typed"
    expect_status 0
    expect_file out.cfg
    grep -q ERROR "$work/console.out" && fail "typed [$line]: $(grep -A1 ERROR "$work/console.out")"
done
# Two words, the first of them the file: the first word, as ever.
printf 'first.ini second.ini\n' >"$work/typed"
run <"$work/typed"
expect_status 0
expect_file first.cfg
# Neither the line nor its first word names a file: the first word is
# the path, and the message says it does not exist.
printf 'my cycles\n' >"$work/typed"
run <"$work/typed"
expect_status 1
expect_console no_such_file
