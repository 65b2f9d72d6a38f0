# A read-only output file: refused with the message, unless root, who
# may write it anyway.
settings $'%terminate = 1\n$output = out.cfg\n$report_path = out.txt\n'"$SIMPLE"
echo "old script" >"$work/out.cfg"
echo "old report" >"$work/out.txt"
chmod 444 "$work/out.cfg" "$work/out.txt"
run settings.ini </dev/null
if [ "$(id -u)" = 0 ]; then
    expect_status 0
    grep -q "old" "$work/out.cfg" "$work/out.txt" && fail "root's run left the old files"
else
    expect_status 1
    grep -q -F "ERROR : Could not write out.cfg" "$work/console.out" || fail "no message for the script"
    grep -q -F "ERROR : Could not write out.txt" "$work/console.out" || fail "no message for the report"
    grep -q "old script" "$work/out.cfg" || fail "the read-only script changed"
fi
