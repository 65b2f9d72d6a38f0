# A report path that names the output file, in the same text, another
# spelling or through a link, is refused where the report's lines would
# have been: the script stays whole and the status is 1. The same holds
# when the script could not be written and does not exist.
mkdir -p "$work/sub"
settings $'%terminate = 1\n$output = out.cfg\n'"$SIMPLE"
run settings.ini </dev/null
mv "$work/out.cfg" "$work/whole.cfg"
ln -s out.cfg "$work/link.cfg"
spellings=(out.cfg ./out.cfg sub/../out.cfg link.cfg)
labels=(same_text dot parent symlink)
for i in "${!spellings[@]}"; do
    rm -f "$work/bin/opened.log" "$work/out.cfg"
    settings "%terminate = 1"$'\n$output = out.cfg\n'"\$report_path = ${spellings[$i]}"$'\n'"$SIMPLE"
    run settings.ini </dev/null
    expect_status 1
    expect_console "${labels[$i]}"
    cmp -s "$work/out.cfg" "$work/whole.cfg" || fail "${labels[$i]}: the script is not whole"
    expect_opened "out.cfg"
done
rm -f "$work/bin/opened.log"
settings $'%terminate = 1\n$output = missing/out.x\n$report_path = ./missing/out.x\n'"$SIMPLE"
run settings.ini </dev/null
expect_status 1
expect_console missing
expect_opened ""
