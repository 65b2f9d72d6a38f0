run --version </dev/null
expect_status 0
expect_console version
run --help </dev/null
expect_status 0
head -n 1 "$work/console.out" | grep -q -F 'Usage: kestrane [--check] [--game-dir DIR]... [--] [SETTINGS_FILE]' || fail "no usage line"
grep -q "Kestrane 1.5" "$work/console.out" && fail "banner printed with --help"
