# --check reads the settings and prints its findings, but writes no file,
# opens nothing, colours nothing and waits for nothing; its status says
# whether there was an error or a warning.
settings $'$output = out.cfg\n$report_path = out.txt\n'"$SIMPLE"
run --check settings.ini </dev/null
expect_status 0
expect_console clean
expect_stderr clean
expect_no_file out.cfg
expect_no_file out.txt
expect_opened ""
# "-": the settings from standard input, checked the same way.
run --check - <"$work/settings.ini"
expect_status 0
expect_console clean
expect_stderr stdin
expect_no_file out.cfg
