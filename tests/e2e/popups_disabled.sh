# 0.9 truncates to 0 (the popup runs); -1 is non-zero; a text setting
# is not a number and has no effect.
settings $'%terminate = 1\n$output = out.cfg\n$report_path = out.txt\n%no_popup_cfg = 0.9\n%no_popup_report = -1\n'"$SIMPLE"
run settings.ini </dev/null
expect_opened "out.cfg"
rm -f "$work/bin/opened.log"
settings $'%terminate = 1\n$output = out.cfg\n$report_path = out.txt\n$no_popup_cfg = 1\n%no_popup_report = 1\n'"$SIMPLE"
run settings.ini </dev/null
expect_opened "out.cfg"
