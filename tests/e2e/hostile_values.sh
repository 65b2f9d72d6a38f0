# Double quotes, NUL bytes, bytes above 0x7F and a line of 8 MiB are
# written byte for byte as the settings hold them.
long=$(head -c 8388608 /dev/zero | tr '\0' 'x')
{
    printf '%%terminate = 1\n$output = out.cfg\n$report_path = out.txt\n$report_format = vb\n'
    printf '$global_command = say "quoted" \xe9\xff\x80;\n'
    printf '$()cycles = c\0y\n{c\0y\n$comment = nul\0here \x95\xa7\n'
    printf '$()maps = m\0ap;10;;%s\n' "$long"
    printf '}\n'
} >"$work/settings.ini"
run settings.ini </dev/null
expect_status 0
{
    printf 'set c\0y_1 "say "quoted" \xe9\xff\x80;%stimelimit 10;map m\0ap;set nextmap vstr c\0y_1"\n' "$long"
} >"$work/expected_link"
with_crlf "$work/expected_link" >"$work/expected_link_native"
tail -c "$(wc -c <"$work/expected_link_native")" "$work/out.cfg" | cmp -s - "$work/expected_link_native" ||
    fail "the link line is not the settings' bytes"
grep -a -q -F "$(printf '[i]# nul\0here \x95\xa7[/i]' | tr '\0' '?')" <(tr '\0' '?' <"$work/out.txt") ||
    fail "the comment is not the settings' bytes"
