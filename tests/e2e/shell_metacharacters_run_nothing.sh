paths=('a;touch pwned' '$(touch pwned)' 'x|touch pwned' 'a&touch pwned' "it's \"quoted\" here" '`touch pwned`')
# Windows file names cannot hold | or "; these are cmd.exe's own.
is_windows && paths=('a&copy settings.ini pwned' 'a;b' '%PATH%x' 'a^b' "it's (here)" 'a && b')
for path in "${paths[@]}"; do
    rm -f "$work/bin/opened.log"
    settings "%terminate = 1"$'\n'"\$output = $path.cfg"$'\n'"\$report_path = $path.txt"$'\n'"$SIMPLE"
    run settings.ini </dev/null
    expect_status 0
    expect_file "$path.cfg"
    expect_file "$path.txt"
    expect_opened "$path.cfg"$'\n'"$path.txt"
done
[ -z "$(find "$work" -name 'pwned*')" ] || fail "a command ran: $(find "$work" -name 'pwned*')"
