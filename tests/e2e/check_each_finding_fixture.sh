# --check on every finding fixture of the golden cases: exit status 1, no
# file written, nothing opened, no console text. On the bundled example:
# status 0, with no error or warning.
golden=$(cd "$cases/../golden" && pwd)
examples=$(cd "$cases/../../examples" && pwd)
for fixture in "$golden"/finding_*.ini; do
    name=$(basename "$fixture" .ini)
    cp "$fixture" "$work/settings.ini"
    run --check settings.ini </dev/null
    [ "$status" = 1 ] || fail "$name: exit status $status, expected 1"
    [ -s "$work/console.out" ] && fail "$name: console text on --check"
    grep -q -e ': error: ' -e ': warning: ' "$work/stderr.out" || fail "$name: no error or warning"
    for written in out.cfg out.txt; do
        [ ! -e "$work/$written" ] || fail "$name: $written was written"
    done
done
cp "$examples/cycles.ini" "$work/"
run --check cycles.ini </dev/null
expect_status 0
grep -e ': error: ' -e ': warning: ' "$work/stderr.out" && fail "the example has errors or warnings"
expect_no_file rotation.cfg
expect_no_file report.txt
expect_opened ""
