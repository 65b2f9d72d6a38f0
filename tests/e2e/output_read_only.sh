# A read-only output file: refused with the message and its reason, and
# left as it was, unless root on a POSIX system, who may write it anyway
# (and it stays read-only). Windows' read-only attribute binds every user.
settings $'%terminate = 1\n$output = out.cfg\n$report_path = out.txt\n'"$SIMPLE"
echo "old script" >"$work/out.cfg"
echo "old report" >"$work/out.txt"
chmod 444 "$work/out.cfg" "$work/out.txt"
run settings.ini </dev/null
if [ "$(id -u)" = 0 ] && ! is_windows; then
    expect_status 0
    grep -q "old" "$work/out.cfg" "$work/out.txt" && fail "root's run left the old files"
    [ "$(stat -c '%a' "$work/out.cfg")" = 444 ] || fail "the script is no longer read-only"
else
    expect_status 1
    tr -d '\r' <"$work/console.out" >"$work/console.txt"
    grep -q -x -F "ERROR : Could not write out.cfg: Permission denied" "$work/console.txt" ||
        fail "no message for the script"
    grep -q -x -F "ERROR : Could not write out.txt: Permission denied" "$work/console.txt" ||
        fail "no message for the report"
    grep -q "old script" "$work/out.cfg" || fail "the read-only script changed"
    grep -q "old report" "$work/out.txt" || fail "the read-only report changed"
fi
