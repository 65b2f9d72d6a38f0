#!/usr/bin/env bash
# End-to-end tests: run the built tool as a user would, in a temporary
# folder, and check its console text, exit status and the files on disk.
# Usage: e2e.sh TOOL CASE. Exit 0 passed, 1 failed, 77 skipped.
set -u
tool=$1
case_name=$2
. "$(dirname "$0")/lib.sh"
make_work

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
is_windows() { [ -n "${KESTRANE_RUNNER:-}" ]; }

BANNER=$'\n** Kestrane 1.5\n** by Torvek Drelm\n** email : drelm@kestrane.example.org\n** web   : http://kestrane.example.org\n\n\n'

# expect_console TEXT: the console text must be exactly TEXT.
expect_console() {
    printf '%s' "$1" >"$work/expected.console"
    same_bytes "$work/expected.console" "$work/console.out" || fail "console text"
}
expect_status() { [ "$status" = "$1" ] || fail "exit status $status, expected $1"; }
expect_file() { [ -f "$work/$1" ] || fail "$1 was not written"; }
expect_no_file() { [ ! -e "$work/$1" ] || fail "$1 exists but should not"; }
# expect_opened LINES: the opener was called with exactly these paths.
expect_opened() {
    is_windows && return 0
    local got=""
    [ -f "$work/bin/opened.log" ] && got=$(cat "$work/bin/opened.log")
    [ "$got" = "$1" ] || fail "opened [$got], expected [$1]"
}

settings() { printf '%s' "$1" >"$work/${2:-settings.ini}"; }
run() { run_tool "$@" >"$work/console.out" 2>"$work/stderr.out"; status=$?; }

SIMPLE=$'$()cycles = alpha\n{alpha\n$()maps = arena1;10\narena2\n}\n'

case $case_name in
argument_with_blanks)
    mkdir "$work/dir with blanks"
    settings "%terminate = 1"$'\n$output = out.cfg\n'"$SIMPLE" "dir with blanks/my cycles.ini"
    run "dir with blanks/my cycles.ini" ignored
    expect_status 0
    expect_console "$BANNER"$'\nInput : dir with blanks/my cycles.ini\nOutput file : out.cfg\nProcessing Cycle : alpha\n'
    expect_file out.cfg
    expect_opened "out.cfg"
    ;;
typed_path_first_word)
    settings $'%terminate = 1\n$output = out.cfg\n'"$SIMPLE"
    printf '  settings.ini other.ini\nmore\n' >"$work/typed"
    run <"$work/typed"
    expect_status 0
    expect_console "$BANNER"$'Enter source file (e.g. cycles.ini) : Output file : out.cfg\nProcessing Cycle : alpha\n'
    expect_file out.cfg
    ;;
typed_path_end_of_input)
    run </dev/null
    expect_status 1
    expect_console "$BANNER"$'Enter source file (e.g. cycles.ini) : Output file : \nERROR : The file you indicated does not seem adequate.\n\n'
    ;;
stdin_not_a_terminal)
    # Without "terminate" the tool would wait for a key, but not when its
    # input is no terminal: it ends at once, after two line ends.
    settings $'$output = out.cfg\n%no_popup_cfg = 1\n'"$SIMPLE"
    run settings.ini < <(echo "a key")
    expect_status 0
    expect_console "$BANNER"$'\nInput : settings.ini\nOutput file : out.cfg\nProcessing Cycle : alpha\n\n\n'
    grep -q "Press any key" "$work/console.out" && fail "waited for a key"
    ;;
empty_output)
    settings $'$output =\n$report_path = out.txt\n'"$SIMPLE"
    run settings.ini </dev/null
    expect_status 1
    expect_console "$BANNER"$'\nInput : settings.ini\nOutput file : \nERROR : The file you indicated does not seem adequate.\n\n'
    expect_no_file out.txt
    expect_opened ""
    written=$(ls "$work" | grep -v -x -E 'bin|console.out|expected.console|settings.ini|stderr.out')
    [ -z "$written" ] || fail "files written: $written"
    ;;
empty_output_terminate)
    settings $'%terminate = 1\n'"$SIMPLE"
    run settings.ini </dev/null
    expect_status 1
    expect_console "$BANNER"$'\nInput : settings.ini\nOutput file : \nERROR : The file you indicated does not seem adequate.'
    ;;
popups_in_order)
    settings $'%terminate = 1\n$output = out.cfg\n$report_path = out.txt\n'"$SIMPLE"
    run settings.ini </dev/null
    expect_status 0
    expect_opened $'out.cfg\nout.txt'
    ;;
popups_disabled)
    # 0.9 truncates to 0 (the popup runs); -1 is non-zero; a text setting
    # is not a number and has no effect.
    settings $'%terminate = 1\n$output = out.cfg\n$report_path = out.txt\n%no_popup_cfg = 0.9\n%no_popup_report = -1\n'"$SIMPLE"
    run settings.ini </dev/null
    expect_opened "out.cfg"
    rm -f "$work/bin/opened.log"
    settings $'%terminate = 1\n$output = out.cfg\n$report_path = out.txt\n$no_popup_cfg = 1\n%no_popup_report = 1\n'"$SIMPLE"
    run settings.ini </dev/null
    expect_opened "out.cfg"
    ;;
shell_metacharacters_run_nothing)
    paths=('a;touch pwned' '$(touch pwned)' 'x|touch pwned' 'a&touch pwned' "it's \"quoted\" here" '`touch pwned`')
    # Windows file names cannot hold | or "; these are cmd.exe's own.
    is_windows && paths=('a&copy settings.ini pwned' 'a;b' '%PATH%x' 'a^b' "it's (here)" 'a && b')
    for path in "${paths[@]}"; do
        rm -f "$work/bin/opened.log"
        settings "%terminate = 1"$'\n'"\$output = $path.cfg"$'\n'"\$report_path = $path.txt"$'\n'"$SIMPLE"
        run settings.ini </dev/null
        expect_status 0
        expect_file "$path.cfg"
        expect_file "$path.txt"
        expect_opened "$path.cfg"$'\n'"$path.txt"
    done
    [ -z "$(find "$work" -name 'pwned*')" ] || fail "a command ran: $(find "$work" -name 'pwned*')"
    ;;
capacity_warning)
    { for i in $(seq 1 10005); do echo "\$k$i = v"; done; echo '$output = out.cfg'; } >"$work/settings.ini"
    run settings.ini </dev/null
    expect_status 1
    expect_console "$BANNER"$'\nInput : settings.ini\nWARNING : Only the first 10000 settings were read; the rest of the source file was ignored.\nOutput file : \nERROR : The file you indicated does not seem adequate.\n\n'
    ;;
help_and_version)
    run --version </dev/null
    expect_status 0
    expect_console $'Kestrane 1.5\n'
    run --help </dev/null
    expect_status 0
    head -n 1 "$work/console.out" | grep -q '^Usage: kestrane \[SETTINGS_FILE\]' || fail "no usage line"
    grep -q "Kestrane 1.5" "$work/console.out" && fail "banner printed with --help"
    ;;
output_is_source | report_is_source)
    mkdir -p "$work/sub"
    settings ""
    ln -s settings.ini "$work/link.ini"
    ln "$work/settings.ini" "$work/hard.ini"
    for spelling in settings.ini ./settings.ini "$work/settings.ini" sub/../settings.ini link.ini hard.ini; do
        if [ "$case_name" = output_is_source ]; then
            body="%terminate = 1"$'\n'"\$output = $spelling"$'\n$report_path = out.txt\n'"$SIMPLE"
            message="ERROR : The output file is the source file; it was not written."
            expected="$BANNER"$'\nInput : settings.ini\nOutput file : '"$spelling"$'\n'"$message"$'\n\nCreating Report... out.txt\nDealing with cycle \'alpha\'\n'
            opened="out.txt"
        else
            body="%terminate = 1"$'\n$output = out.cfg\n'"\$report_path = $spelling"$'\n'"$SIMPLE"
            message="ERROR : The report file is the source file; it was not written."
            expected="$BANNER"$'\nInput : settings.ini\nOutput file : out.cfg\nProcessing Cycle : alpha\n'"$message"$'\n'
            opened="out.cfg"
        fi
        settings "$body"
        cp "$work/settings.ini" "$work/original.ini"
        rm -f "$work/bin/opened.log" "$work/out.cfg" "$work/out.txt"
        run settings.ini </dev/null
        expect_status 1
        expect_console "$expected"
        cmp -s "$work/original.ini" "$work/settings.ini" || fail "settings file changed ($spelling)"
        expect_file "$opened"
        expect_opened "$opened"
    done
    ;;
output_unwritable | report_unwritable)
    mkdir "$work/folder"
    targets=(folder missing/out.x)
    is_windows || targets+=(/dev/full)
    for target in "${targets[@]}"; do
        rm -f "$work/bin/opened.log" "$work/out.cfg" "$work/out.txt"
        if [ "$case_name" = output_unwritable ]; then
            settings "%terminate = 1"$'\n'"\$output = $target"$'\n$report_path = out.txt\n'"$SIMPLE"
            expected="$BANNER"$'\nInput : settings.ini\nOutput file : '"$target"$'\nProcessing Cycle : alpha\nERROR : Could not write '"$target"$'\n\nCreating Report... out.txt\nDealing with cycle \'alpha\'\n'
            good=out.txt
        else
            settings "%terminate = 1"$'\n$output = out.cfg\n'"\$report_path = $target"$'\n'"$SIMPLE"
            expected="$BANNER"$'\nInput : settings.ini\nOutput file : out.cfg\nProcessing Cycle : alpha\n\nCreating Report... '"$target"$'\nDealing with cycle \'alpha\'\nERROR : Could not write '"$target"$'\n'
            good=out.cfg
        fi
        run settings.ini </dev/null
        expect_status 1
        expect_console "$expected"
        expect_file "$good"
        expect_opened "$good"
    done
    [ -d "$work/folder" ] && [ -z "$(ls "$work/folder")" ] || fail "the folder was touched"
    ;;
missing_settings)
    run nothing.ini </dev/null
    expect_status 1
    expect_console "$BANNER"$'\nInput : nothing.ini\nOutput file : \nERROR : The file you indicated does not seem adequate.\n\n'
    ;;
crlf_and_lf_alike)
    body=$'%terminate = 1\n$output = out.cfg\n$report_path = out.txt\n$cycles_list = c\n$maps_list_suffix = _m\n#CR=[br]\n$()cycles = alpha\n{alpha\n$comment = a[br]b\n$()maps = arena1;10;5;say x;\narena2\n}\n'
    settings "$body"
    run settings.ini </dev/null
    mv "$work/out.cfg" "$work/lf.cfg"; mv "$work/out.txt" "$work/lf.txt"
    printf '%s' "$body" | perl -pe 's/\n/\r\n/g' >"$work/settings.ini"
    run settings.ini </dev/null
    cmp -s "$work/lf.cfg" "$work/out.cfg" || fail "scripts differ"
    cmp -s "$work/lf.txt" "$work/out.txt" || fail "reports differ"
    grep -q $'\r\r' "$work/out.cfg" && fail "doubled CR"
    ;;
terminal_key_and_colours | terminal_ctrl_c)
    # `script` gives the tool a terminal. It colours the console, waits for
    # one key (or Ctrl-C), then leaves the terminal as it found it.
    is_windows && { echo "SKIP: the Windows console is tested under Wine separately"; exit 77; }
    command -v script >/dev/null || { echo "SKIP: no script command"; exit 77; }
    settings $'$output = out.cfg
%no_popup_cfg = 1
'"$SIMPLE"
    key=x
    [ "$case_name" = terminal_ctrl_c ] && key=$'\003'
    (sleep 1; printf '%s' "$key") | (cd "$work" && script -q -e -c \
        "trap '' INT; \"$tool\" settings.ini; echo \"status \$?\"; stty -a" /dev/null) >"$work/console.out"
    tr -d '\r' <"$work/console.out" >"$work/console.txt"
    head -c 8 "$work/console.txt" | grep -q -F $'\033[37;44m' || fail "no colours at the start"
    grep -q -F 'Press any key to continue . . . ' "$work/console.txt" || fail "no key prompt"
    if [ "$case_name" = terminal_ctrl_c ]; then
        grep -q -F $'. . . \033[0mstatus 130' "$work/console.txt" || fail "colours not reset on Ctrl-C, or wrong status"
    else
        grep -q -F $'. . . \n\033[0mstatus 0' "$work/console.txt" || fail "colours not reset after the key"
    fi
    grep -q -E '(^| )icanon( |$)' "$work/console.txt" && grep -q -E '(^| )echo( |$)' "$work/console.txt" ||
        fail "terminal settings not restored"
    ;;
windows_console_key_and_colours)
    # Under a terminal, Wine gives the tool a console: it colours it, waits
    # for one key, and does not wait when its input is redirected.
    command -v script >/dev/null || { echo "SKIP: no script command"; exit 77; }
    settings $'$output = out.cfg\n%no_popup_cfg = 1\n'"$SIMPLE"
    (sleep 3; printf x) | (cd "$work" && timeout 60 script -q -e -c \
        "$KESTRANE_RUNNER \"$tool\" settings.ini; echo \"status \$?\"" /dev/null) >"$work/console.out"
    sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' "$work/console.out" | tr -d '\r' >"$work/console.txt"
    grep -q -F 'Press any key to continue . . . ' "$work/console.txt" || fail "no key prompt"
    grep -q -x 'status 0' "$work/console.txt" || fail "no clean end after the key"
    grep -q -F $'\033[44m' "$work/console.out" || fail "no blue background"
    (cd "$work" && timeout 60 script -q -e -c "$KESTRANE_RUNNER \"$tool\" settings.ini </dev/null" /dev/null) \
        >"$work/console.out"
    grep -q 'Press any key' "$work/console.out" && fail "waited with its input redirected"
    ;;
windows_shell_opens_exact_paths)
    # A file type whose registered program records the paths it is given.
    recorder=$(winepath -w "$KESTRANE_OPEN_RECORDER")
    wine reg add 'HKLM\Software\Classes\.kestranetest' /ve /d KestraneTest /f >/dev/null 2>&1
    wine reg add 'HKLM\Software\Classes\KestraneTest\shell\open\command' /ve /d "\"$recorder\" \"%1\"" /f >/dev/null 2>&1
    export KESTRANE_OPEN_LOG
    KESTRANE_OPEN_LOG=$(winepath -w "$work/opened.log")
    settings $'%terminate = 1
$output = a&copy settings.ini pwned ^b.kestranetest
$report_path = r.kestranetest
'"$SIMPLE"
    run settings.ini </dev/null
    expect_status 0
    for _ in $(seq 1 200); do [ "$(wc -l <"$work/opened.log" 2>/dev/null)" = 2 ] && break; sleep 0.1; done
    tr -d '\r' <"$work/opened.log" >"$work/opened.txt"
    grep -q -F 'a&copy settings.ini pwned ^b.kestranetest' "$work/opened.txt" || fail "script not opened: $(cat "$work/opened.txt")"
    # The shell starts the two programs without waiting, so their records
    # may come in either order.
    grep -q 'r.kestranetest$' "$work/opened.txt" || fail "report not opened"
    [ -z "$(find "$work" -name 'pwned*')" ] || fail "a command ran"
    ;;
settings_path_faults)
    # Every settings path that gives no settings ends with the same message
    # and status 1, and writes nothing.
    mkdir "$work/folder"
    : >"$work/empty.ini"
    head -c 65536 /dev/urandom | tr -d '$%' >"$work/random.ini"
    no_output="Output file : "$'\n'"ERROR : The file you indicated does not seem adequate."$'\n\n'
    for path in "" folder empty.ini random.ini no/such/file.ini; do
        run "$path" </dev/null
        expect_status 1
        expect_console "$BANNER"$'\nInput : '"$path"$'\n'"$no_output"
    done
    # A file without read permission: refused, unless root, who reads it.
    settings $'%terminate = 1\n$output = out.cfg\n'"$SIMPLE" locked.ini
    chmod 000 "$work/locked.ini"
    run locked.ini </dev/null
    if [ "$(id -u)" = 0 ] || is_windows; then
        expect_status 0
        expect_file out.cfg
    else
        expect_status 1
        expect_console "$BANNER"$'\nInput : locked.ini\n'"$no_output"
    fi
    written=$(ls "$work" | grep -v -x -E 'bin|console.out|expected.console|stderr.out|folder|empty.ini|random.ini|locked.ini|out.cfg')
    [ -z "$written" ] || fail "files written: $written"
    ;;
output_read_only)
    # A read-only output file: refused with the message, unless root, who
    # may write it anyway.
    settings $'%terminate = 1\n$output = out.cfg\n$report_path = out.txt\n'"$SIMPLE"
    echo "old script" >"$work/out.cfg"
    echo "old report" >"$work/out.txt"
    chmod 444 "$work/out.cfg" "$work/out.txt"
    run settings.ini </dev/null
    if [ "$(id -u)" = 0 ]; then
        expect_status 0
        grep -q "old" "$work/out.cfg" "$work/out.txt" && fail "root's run left the old files"
    else
        expect_status 1
        grep -q -F "ERROR : Could not write out.cfg" "$work/console.out" || fail "no message for the script"
        grep -q -F "ERROR : Could not write out.txt" "$work/console.out" || fail "no message for the report"
        grep -q "old script" "$work/out.cfg" || fail "the read-only script changed"
    fi
    ;;
hostile_values)
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
    ;;
*)
    echo "unknown case $case_name"; exit 1 ;;
esac

[ "$failures" = 0 ] || exit 1
exit 0
