# A report sent to the console (/dev/stdout; standard output is a file
# here) is written there directly, in its place among the console's lines:
# after the script's messages and its own progress lines, whether the
# script could be written or not.
is_windows && skip "POSIX /dev/stdout"
for label in written missing_folder; do
    output=out.cfg
    expected_status=0
    if [ "$label" = missing_folder ]; then
        output=missing/out.cfg
        expected_status=1
    fi
    settings "%terminate = 1"$'\n%no_popup_cfg = 1\n%no_popup_report = 1\n'"\$output = $output"$'\n$report_path = /dev/stdout\n'"$SIMPLE"
    run settings.ini </dev/null
    expect_status "$expected_status"
    expect_console "$label"
done
