settings $'%terminate = 1\n$output = out.cfg\n'"$SIMPLE"
printf '  settings.ini other.ini\nmore\n' >"$work/typed"
run <"$work/typed"
expect_status 0
expect_console
expect_file out.cfg
