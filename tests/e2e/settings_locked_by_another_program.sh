# A settings file that another program holds open without sharing it cannot
# be read on Windows: the reason comes from the system.
is_windows || skip "a Windows sharing case"
settings $'%terminate = 1\n$output = out.cfg\n'"$SIMPLE"
(cd "$work" && exec $KESTRANE_RUNNER "$KESTRANE_FILE_HOLDER" settings.ini held release) </dev/null >/dev/null 2>&1 &
holder=$!
for _ in $(seq 1 200); do [ -f "$work/held" ] && break; sleep 0.1; done
[ -f "$work/held" ] || fail "the file was not held"
run settings.ini </dev/null
: >"$work/release"
wait "$holder"
expect_status 1
expect_console
expect_no_file out.cfg
