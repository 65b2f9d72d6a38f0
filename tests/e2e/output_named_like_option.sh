# An output path that begins with "-" reaches the desktop opener as
# "./-x.cfg", so that the opener never takes it for an option.
settings $'%terminate = 1\n$output = -x.cfg\n$report_path = -r.txt\n'"$SIMPLE"
run settings.ini </dev/null
expect_status 0
expect_file -x.cfg
expect_file -r.txt
expect_opened $'./-x.cfg\n./-r.txt'
