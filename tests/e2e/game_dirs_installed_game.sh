# Against the real game folder of Debian's OpenArena: every map of the
# bundled example is installed, a name in other case is found, and a
# misspelt one gets the installed name as its suggestion.
baseoa=/usr/share/games/openarena/baseoa
[ -d "$baseoa" ] || skip "$baseoa is not installed"
cp "$cases/../../examples/cycles.ini" "$work/cycles.ini"
run --check --game-dir "$baseoa" cycles.ini </dev/null
expect_status 0
# Findings without the CRs of a Windows console.
problems() { tr -d '\r' <"$work/stderr.out" | grep -E ': (error|warning): '; }
problems && fail "findings on the example"

sed -e 's/^oa_dm2 ;/OA_DM2 ;/' -e 's/^aggressor ;/agressor ;/' "$work/cycles.ini" >"$work/misspelt.ini"
run --check --game-dir "$baseoa" misspelt.ini </dev/null
expect_status 1
problems >"$work/problems.out"
printf '%s\n' "misspelt.ini:65: error: map \"agressor\" is not installed in \"$baseoa\": the server cannot load it; did you mean \"aggressor\"?" >"$work/expected.out"
cmp -s "$work/expected.out" "$work/problems.out" || fail "findings on the misspelt example: $(cat "$work/problems.out")"
