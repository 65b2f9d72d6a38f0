# Every settings path that gives no settings ends with the same message, the
# reason on the line after it, and status 1, and writes nothing.
mkdir "$work/folder"
: >"$work/empty.ini"
head -c 65536 /dev/urandom | tr -d '$%' >"$work/random.ini"
paths=("" folder empty.ini random.ini no/such/file.ini)
labels=(empty_path folder empty_file random_bytes missing_file)
is_windows || { paths+=(/dev/null); labels+=(device); }
for i in "${!paths[@]}"; do
    path=${paths[$i]}
    run "$path" </dev/null
    expect_status 1
    expect_console "${labels[$i]}"
done
# A file without read permission. Root reads any file, so root runs the
# tool as the user nobody for this; Windows has no such permission to test
# here (see settings_locked_by_another_program).
settings $'%terminate = 1\n$output = out.cfg\n'"$SIMPLE" locked.ini
chmod 000 "$work/locked.ini"
if ! is_windows; then
    wrapper=${KESTRANE_WRAPPER:-}
    if [ "$(id -u)" = 0 ]; then
        chmod 755 "$work"
        KESTRANE_WRAPPER="setpriv --reuid=65534 --regid=65534 --clear-groups $wrapper"
    fi
    run locked.ini </dev/null
    KESTRANE_WRAPPER=$wrapper
    expect_status 1
    expect_console unreadable
fi
written=$(ls "$work" | grep -v -x -E 'bin|console.out|console.out.cmp|stderr.out|folder|empty.ini|random.ini|locked.ini')
[ -z "$written" ] || fail "files written: $written"
