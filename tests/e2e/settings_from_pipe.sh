# Settings read from a pipe are read whole: from process substitution, a
# named FIFO, /dev/stdin and "-" (standard input, with no prompt). The
# settings are larger than a pipe holds at once.
settings $'%terminate = 1\n%no_popup_cfg = 1\n$output = out.cfg\n'"$SIMPLE"
awk 'BEGIN { for (i = 0; i < 5000; i++) printf "// a comment line to make the file long enough: %d\n", i }' \
    >>"$work/settings.ini"
run settings.ini </dev/null
mv "$work/out.cfg" "$work/whole.cfg"
check_script() {
    expect_status 0
    cmp -s "$work/out.cfg" "$work/whole.cfg" || fail "$1: the script is not the one the file gives"
    rm -f "$work/out.cfg"
}

run - <"$work/settings.ini"
expect_console dash
check_script "- from a file"
cat "$work/settings.ini" | run -
check_script "- from a pipe"

# Standard input that is the output file itself is refused, as the
# settings file named by its path is.
cp "$work/settings.ini" "$work/original.ini"
sed -i 's|^\$output = .*|$output = settings.ini|' "$work/settings.ini"
cp "$work/settings.ini" "$work/original.ini"
run - <"$work/settings.ini"
expect_status 1
expect_console dash_is_output
cmp -s "$work/settings.ini" "$work/original.ini" || fail "the settings file read from standard input changed"
sed -i 's|^\$output = .*|$output = out.cfg|' "$work/settings.ini"

is_windows && exit $((failures > 0))
run <(cat "$work/settings.ini") </dev/null
check_script "process substitution"
cat "$work/settings.ini" | run /dev/stdin
check_script "/dev/stdin"
mkfifo "$work/fifo.ini"
timeout 20 cp "$work/settings.ini" "$work/fifo.ini" &
run fifo.ini </dev/null
check_script "named FIFO"
