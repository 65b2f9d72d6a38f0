#!/usr/bin/env bash
# Every code block of a document that is marked "<!-- fixture: NAME -->"
# must be exactly the test fixture tests/golden/NAME (shown in UTF-8; a
# Windows-1252 fixture is converted), so that the documented examples and
# their outputs are the ones the golden tests check.
set -u
doc=$1
golden=$(dirname "$0")/golden
. "$(dirname "$0")/lib.sh"
failed=0
count=0
while IFS= read -r name; do
    count=$((count + 1))
    block=$(awk -v name="$name" '
        $0 == "<!-- fixture: " name " -->" { want = 1; next }
        want == 1 && /^```/ { want = 2; next }
        want == 2 && /^```/ { exit }
        want == 2 { print }' "$doc")
    expected=$(as_utf8 "$golden/$name")
    if [ "$block" != "$expected" ]; then
        echo "FAIL: the block for $name differs from the fixture"
        diff <(printf '%s\n' "$expected") <(printf '%s\n' "$block") | head -n 20
        failed=1
    fi
done < <(sed -n 's/^<!-- fixture: \(.*\) -->$/\1/p' "$doc")
[ "$count" -gt 0 ] || { echo "FAIL: no fixture blocks in $doc"; failed=1; }

# Every line of a block marked "<!-- finding examples -->" must be a line of
# some expected standard error of the tests, so that the examples are what
# the tool prints.
expected_errors=$(cat "$golden"/*.stderr "$(dirname "$0")"/e2e/*.stderr)
while IFS= read -r line; do
    grep -qxF -- "$line" <<<"$expected_errors" || { echo "FAIL: no test prints: $line"; failed=1; }
done < <(awk '
    $0 == "<!-- finding examples -->" { want = 1; next }
    want == 1 && /^```/ { want = 2; next }
    want == 2 && /^```/ { want = 0; next }
    want == 2 { print }' "$doc")
exit $failed
