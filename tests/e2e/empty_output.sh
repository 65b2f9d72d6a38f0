settings $'$output =\n$report_path = out.txt\n'"$SIMPLE"
run settings.ini </dev/null
expect_status 1
expect_console
expect_no_file out.txt
expect_opened ""
written=$(ls "$work" | grep -v -x -E 'bin|console.out|console.out.cmp|settings.ini|stderr.out')
[ -z "$written" ] || fail "files written: $written"
