settings $'%terminate = 1\n'"$SIMPLE"
run settings.ini </dev/null
expect_status 1
expect_console
