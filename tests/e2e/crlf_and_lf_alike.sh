body=$'%terminate = 1\n$output = out.cfg\n$report_path = out.txt\n$cycles_list = c\n$maps_list_suffix = _m\n#CR=[br]\n$()cycles = alpha\n{alpha\n$comment = a[br]b\n$()maps = arena1;10;5;say x;\narena2\n}\n'
settings "$body"
run settings.ini </dev/null
mv "$work/out.cfg" "$work/lf.cfg"; mv "$work/out.txt" "$work/lf.txt"
printf '%s' "$body" | perl -pe 's/\n/\r\n/g' >"$work/settings.ini"
run settings.ini </dev/null
cmp -s "$work/lf.cfg" "$work/out.cfg" || fail "scripts differ"
cmp -s "$work/lf.txt" "$work/out.txt" || fail "reports differ"
grep -q $'\r\r' "$work/out.cfg" && fail "doubled CR"
