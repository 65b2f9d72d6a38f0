# An output or report that cannot be written (a folder, a missing folder, a
# full device) is named in an error, gives status 1, and does not keep the
# other file from being written and opened.
mkdir "$work/folder"
targets=(folder missing/out.x)
labels=(folder missing_folder)
is_windows || { targets+=(/dev/full); labels+=(full_device); }
for which in output report; do
    for i in "${!targets[@]}"; do
        target=${targets[$i]}
        rm -f "$work/bin/opened.log" "$work/out.cfg" "$work/out.txt"
        if [ "$which" = output ]; then
            settings "%terminate = 1"$'\n'"\$output = $target"$'\n$report_path = out.txt\n'"$SIMPLE"
            good=out.txt
        else
            settings "%terminate = 1"$'\n$output = out.cfg\n'"\$report_path = $target"$'\n'"$SIMPLE"
            good=out.cfg
        fi
        run settings.ini </dev/null
        expect_status 1
        expect_console "$which.${labels[$i]}"
        expect_file "$good"
        expect_opened "$good"
    done
done
[ -d "$work/folder" ] && [ -z "$(ls "$work/folder")" ] || fail "the folder was touched"
