# Every settings path that gives no settings ends with the same message
# and status 1, and writes nothing.
mkdir "$work/folder"
: >"$work/empty.ini"
head -c 65536 /dev/urandom | tr -d '$%' >"$work/random.ini"
paths=("" folder empty.ini random.ini no/such/file.ini)
labels=(empty_path folder empty_file random_bytes missing_file)
for i in "${!paths[@]}"; do
    path=${paths[$i]}
    run "$path" </dev/null
    expect_status 1
    expect_console "${labels[$i]}"
done
# A file without read permission: refused, unless root, who reads it.
settings $'%terminate = 1\n$output = out.cfg\n'"$SIMPLE" locked.ini
chmod 000 "$work/locked.ini"
run locked.ini </dev/null
if [ "$(id -u)" = 0 ] || is_windows; then
    expect_status 0
    expect_file out.cfg
else
    expect_status 1
    expect_console unreadable
fi
written=$(ls "$work" | grep -v -x -E 'bin|console.out|console.out.cmp|stderr.out|folder|empty.ini|random.ini|locked.ini|out.cfg')
[ -z "$written" ] || fail "files written: $written"
