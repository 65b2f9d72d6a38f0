# Without "terminate" the tool would wait for a key, but not when its
# input is no terminal: it ends at once, after two line ends.
settings $'$output = out.cfg\n%no_popup_cfg = 1\n'"$SIMPLE"
run settings.ini < <(echo "a key")
expect_status 0
expect_console
grep -q "Press any key" "$work/console.out" && fail "waited for a key"
