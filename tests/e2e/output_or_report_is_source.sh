# An output or report path that names the settings file, however spelled,
# is refused with its message; the settings file stays as it was and the
# other file is still written.
mkdir -p "$work/sub"
settings ""
ln -s settings.ini "$work/link.ini"
ln "$work/settings.ini" "$work/hard.ini"
spellings=(settings.ini ./settings.ini "$work/settings.ini" sub/../settings.ini link.ini hard.ini)
labels=(plain dot absolute parent symlink hardlink)
for which in output report; do
    for i in "${!spellings[@]}"; do
        spelling=${spellings[$i]}
        if [ "$which" = output ]; then
            body="%terminate = 1"$'\n'"\$output = $spelling"$'\n$report_path = out.txt\n'"$SIMPLE"
            opened="out.txt"
        else
            body="%terminate = 1"$'\n$output = out.cfg\n'"\$report_path = $spelling"$'\n'"$SIMPLE"
            opened="out.cfg"
        fi
        settings "$body"
        cp "$work/settings.ini" "$work/original.ini"
        rm -f "$work/bin/opened.log" "$work/out.cfg" "$work/out.txt"
        run settings.ini </dev/null
        expect_status 1
        expect_console "$which.${labels[$i]}"
        cmp -s "$work/original.ini" "$work/settings.ini" || fail "settings file changed ($spelling)"
        expect_file "$opened"
        expect_opened "$opened"
    done
done
