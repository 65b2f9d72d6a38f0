mkdir "$work/dir with blanks"
settings "%terminate = 1"$'\n$output = out.cfg\n'"$SIMPLE" "dir with blanks/my cycles.ini"
run "dir with blanks/my cycles.ini" ignored
expect_status 0
expect_console
expect_file out.cfg
expect_opened "out.cfg"
