# A console that goes away costs no file. With the console pipe closed
# after its first byte, while far more console text is still to come, or
# with standard output closed (and the other two) from the start, the
# files are written whole and the status says whether they were.
is_windows && skip "POSIX pipes and descriptors"
{
    printf '%%terminate = 1\n$output = out.cfg\n$report_path = out.txt\n$()cycles = cycle_number_0\n'
    awk 'BEGIN { for (i = 1; i < 3000; i++) printf "cycle_number_%d\n", i }'
    printf '{cycle_number_7\n$()maps = m1;10\nm2\n}\n'
} >"$work/settings.ini"
run settings.ini </dev/null
expect_status 0
mv "$work/out.cfg" "$work/whole.cfg"
mv "$work/out.txt" "$work/whole.txt"
[ "$(wc -c <"$work/console.out")" -gt 200000 ] || fail "too little console text to outlast the pipe"

check_files() {
    cmp -s "$work/out.cfg" "$work/whole.cfg" || fail "$1: the script is not whole"
    cmp -s "$work/out.txt" "$work/whole.txt" || fail "$1: the report is not whole"
    rm -f "$work/out.cfg" "$work/out.txt"
}
run_tool settings.ini </dev/null 2>"$work/stderr.out" | head -c1 >/dev/null
code=${PIPESTATUS[0]}
[ "$code" = 0 ] || fail "head -c1: status $code"
check_files "head -c1"

# Run as it is: a checker around it would hold descriptors of its own.
direct() { (cd "$work" && "$tool" settings.ini); }
direct </dev/null >&- 2>"$work/stderr.out"
code=$?
[ "$code" = 0 ] || fail "closed standard output: status $code"
grep -a -q "Input : settings.ini" "$work/out.cfg" "$work/out.txt" 2>/dev/null && fail "console text in a file"
check_files "closed standard output"

direct <&- >&- 2>&-
code=$?
[ "$code" = 0 ] || fail "all three closed: status $code"
check_files "all three closed"

# A file that cannot be written still gives status 1 through a closed pipe.
mkdir "$work/folder"
sed -i 's|^\$report_path = .*|$report_path = folder|' "$work/settings.ini"
run_tool settings.ini </dev/null 2>"$work/stderr.out" | head -c1 >/dev/null
code=${PIPESTATUS[0]}
[ "$code" = 1 ] || fail "unwritable report through head -c1: status $code"
cmp -s "$work/out.cfg" "$work/whole.cfg" || fail "unwritable report: the script is not whole"
