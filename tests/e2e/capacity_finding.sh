# Reading stops at the store's capacity: the console keeps its warning, and
# the finding names the line where reading stopped.
{
    printf '$output = out.cfg\n%%terminate = 1\n%%no_popup_cfg = 1\n$()cycles = ffa\n{ffa\n$()maps = oa_dm1\n}\n'
    echo '$()filler = 0'
    seq 1 9995
    echo '$report_path = out.txt'
} >"$work/settings.ini"
run settings.ini </dev/null
expect_status 0
expect_file out.cfg
expect_no_file out.txt
expect_stderr
run --check settings.ini </dev/null
expect_status 1
expect_stderr check
