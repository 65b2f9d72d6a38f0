#!/usr/bin/env bash
# The README and the manual page agree with the tool: the README opens with
# the install line and the run and test commands that CI runs as written,
# the README's excerpts are lines of the bundled example's outputs, and
# every option and exit status of --help is in both documents.
set -u
tool=$(realpath "$1")
root=$2
. "$(dirname "$0")/lib.sh"
make_work
failed=0

# The first code block: one apt-get line, then the two commands of CI.
awk '/^```sh/ { inside = 1; next } inside && /^```/ { exit } inside' "$root/README.md" >"$work/first"
[ "$(wc -l <"$work/first")" = 3 ] || { echo "FAIL: the README's first block is not three lines"; failed=1; }
head -n 1 "$work/first" | grep -q '^apt-get update && apt-get install -y ' ||
    { echo "FAIL: the README does not open with the install line"; failed=1; }
tail -n 2 "$work/first" | while IFS= read -r command; do
    grep -q -x -F -- "$command" "$root/.ci/run" || { echo "FAIL: CI does not run the README's: $command"; exit 1; }
done || failed=1

# The indented lines of the README's text blocks, less their indent.
awk '/^  ```text/ { inside = 1; next } /^  ```/ { inside = 0 } inside && length($0) > 2 { print substr($0, 3) }' \
    "$root/README.md" >"$work/excerpt"
[ -s "$work/excerpt" ] || { echo "FAIL: no excerpt found"; failed=1; }
{ as_utf8 "$root/examples/rotation.cfg"; as_utf8 "$root/examples/report.txt"; } >"$work/outputs"
while IFS= read -r line; do
    grep -q -x -F -- "$line" "$work/outputs" || { echo "FAIL: not in the example's outputs: $line"; failed=1; }
done <"$work/excerpt"

run_tool --help </dev/null | tr -d '\r' >"$work/help"
for option in $(grep -o -E -- '--[a-z]+' "$work/help" | sort -u); do
    grep -q -F -- "$option" "$root/README.md" || { echo "FAIL: README lacks $option"; failed=1; }
    grep -q -F -- "${option//-/\\-}" "$root/docs/kestrane.1" || { echo "FAIL: the manual page lacks $option"; failed=1; }
done
grep -q "Exit status: 0 when every file asked for was written, 1 otherwise." "$work/help" || { echo "FAIL: --help exit status"; failed=1; }
grep -q "| 0 | every file asked for was written |" "$root/README.md" || { echo "FAIL: README exit status 0"; failed=1; }
grep -q -x "Every file asked for was written." "$root/docs/kestrane.1" || { echo "FAIL: manual exit status 0"; failed=1; }
exit $failed
