# A file system that fills up while a file is written: the file keeps its
# old bytes, no temporary file is left, the error names the system's
# reason, the status is 1, and the other file is still written. A small
# tmpfs is mounted for it where the test may mount (as root).
[ "$(id -u)" = 0 ] || skip "mounting a file system needs root"
mkdir "$work/small"
mount -t tmpfs -o size=256k tmpfs "$work/small" 2>/dev/null || skip "cannot mount a tmpfs here"
trap 'umount "$work/small"; rm -rf "$work"' EXIT
filler=$(head -c 1000 /dev/zero | tr '\0' 'x')
maps=$(awk -v filler="$filler" 'BEGIN { for (i = 1; i < 600; i++) printf "m%d;10;;say %s;\n", i, filler }')
# The script is larger than the file system, the report small; then the
# other way round, with a long comment.
big_script="\$()maps = m0;10"$'\n'"$maps"$'\n'
big_report="\$comment = $(head -c 400000 /dev/zero | tr '\0' 'c')"$'\n$()maps = m0;10\n'
for full in output report; do
    if [ "$full" = output ]; then body=$big_script; else body=$big_report; fi
    printf 'old script\n' >"$work/small/out.cfg"
    printf 'old report\n' >"$work/small/out.txt"
    cp "$work/small/out.cfg" "$work/old.cfg"
    cp "$work/small/out.txt" "$work/old.txt"
    settings $'%terminate = 1\n%no_popup_cfg = 1\n%no_popup_report = 1\n$output = small/out.cfg\n$report_path = small/out.txt\n$()cycles = c\n{c\n'"$body"$'}\n'
    run settings.ini </dev/null
    expect_status 1
    expect_console "$full"
    if [ "$full" = output ]; then
        cmp -s "$work/small/out.cfg" "$work/old.cfg" || fail "output: the old script was not kept"
        cmp -s "$work/small/out.txt" "$work/old.txt" && fail "output: the report was not written"
    else
        cmp -s "$work/small/out.txt" "$work/old.txt" || fail "report: the old report was not kept"
        cmp -s "$work/small/out.cfg" "$work/old.cfg" && fail "report: the script was not written"
    fi
    left=$(ls -A "$work/small" | grep -v -x -E 'out.cfg|out.txt')
    [ -z "$left" ] || fail "$full: left behind: $left"
done
