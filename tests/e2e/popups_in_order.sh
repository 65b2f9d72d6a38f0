settings $'%terminate = 1\n$output = out.cfg\n$report_path = out.txt\n'"$SIMPLE"
run settings.ini </dev/null
expect_status 0
expect_opened $'out.cfg\nout.txt'
