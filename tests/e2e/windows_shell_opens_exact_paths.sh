# A file type whose registered program records the paths it is given.
is_windows || skip "a Windows shell case"
recorder=$(winepath -w "$KESTRANE_OPEN_RECORDER")
wine reg add 'HKLM\Software\Classes\.kestranetest' /ve /d KestraneTest /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Classes\KestraneTest\shell\open\command' /ve /d "\"$recorder\" \"%1\"" /f >/dev/null 2>&1
export KESTRANE_OPEN_LOG
KESTRANE_OPEN_LOG=$(winepath -w "$work/opened.log")
settings $'%terminate = 1
$output = a&copy settings.ini pwned ^b.kestranetest
$report_path = r.kestranetest
'"$SIMPLE"
run settings.ini </dev/null
expect_status 0
for _ in $(seq 1 200); do [ "$(wc -l <"$work/opened.log" 2>/dev/null)" = 2 ] && break; sleep 0.1; done
tr -d '\r' <"$work/opened.log" >"$work/opened.txt"
grep -q -F 'a&copy settings.ini pwned ^b.kestranetest' "$work/opened.txt" || fail "script not opened: $(cat "$work/opened.txt")"
# The shell starts the two programs without waiting, so their records
# may come in either order.
grep -q 'r.kestranetest$' "$work/opened.txt" || fail "report not opened"
[ -z "$(find "$work" -name 'pwned*')" ] || fail "a command ran"
