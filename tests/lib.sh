# Shared helpers of the shell tests: how to run the built tool (natively or
# through Wine) in a fresh temporary folder, with a stand-in desktop opener
# that records what it was asked to open.

# run_tool ARGS...: runs the tool in $work; KESTRANE_RUNNER is empty for a
# native build and "wine" for the Windows build; KESTRANE_WRAPPER, when set,
# runs it under a checker such as valgrind.
: "${KESTRANE_RUNNER:=}"
run_tool() {
    (cd "$work" && PATH="$work/bin:$PATH" ${KESTRANE_WRAPPER:-} $KESTRANE_RUNNER "$tool" "$@")
}

# with_crlf FILE: the file's bytes with every LF turned into CR LF, as a
# Windows text-mode stream writes them; unchanged for a native build.
with_crlf() {
    if [ "${KESTRANE_CRLF:-0}" = 1 ]; then
        perl -pe 's/\n/\r\n/g' "$1"
    else
        cat "$1"
    fi
}

# same_bytes EXPECTED ACTUAL: compares ACTUAL with EXPECTED (line ends
# adjusted for Windows), showing the difference on failure. With
# KESTRANE_UPDATE_GOLDEN=1 (never in CI) a differing or missing EXPECTED is
# overwritten with ACTUAL instead and named, so that the change can be read
# as a diff; only a native build may do that, since Windows adds CRs.
same_bytes() {
    if [ "${KESTRANE_UPDATE_GOLDEN:-0}" = 1 ]; then
        if [ "${KESTRANE_CRLF:-0}" = 1 ]; then
            echo "FAIL: update the expected files from a native build"
            return 1
        fi
        if [ ! -f "$1" ] || ! cmp -s "$1" "$2"; then
            cp "$2" "$1"
            echo "updated: $1"
        fi
        return 0
    fi
    if [ ! -f "$1" ]; then
        echo "FAIL: no expected file $1 (make it with KESTRANE_UPDATE_GOLDEN=1)"
        return 1
    fi
    if ! with_crlf "$1" | cmp -s - "$2"; then
        echo "FAIL: $2 differs from $1"
        with_crlf "$1" | diff <(cat -A) <(cat -A "$2") | head -n 40
        return 1
    fi
}

is_windows_build() { [ "${KESTRANE_CRLF:-0}" = 1 ]; }

# settings_encoding SETTINGS: the encoding the tool must write its own
# non-ASCII characters in for this settings file, "utf-8" or
# "windows-1252", worked out here apart from the tool: a top-level
# "$text_encoding" that names one of the two; else UTF-8 for a file with a
# UTF-8 byte-order mark or valid UTF-8 with a non-ASCII byte, Windows-1252
# for one that is not valid UTF-8, and the platform's for ASCII (Windows-1252
# in the Windows build, UTF-8 elsewhere).
settings_encoding() {
    local named
    named=$(LC_ALL=C sed -n -E 's/^[ \t]*\$[ \t]*text_encoding[ \t]*=[ \t]*([^ \t\r]*)[ \t\r]*$/\1/p' "$1" |
        tail -n 1 | tr 'A-Z' 'a-z')
    case $named in
        utf-8 | windows-1252) echo "$named" ;;
        *) source_encoding "$1" ;;
    esac
}

# source_encoding SETTINGS: the same without "$text_encoding".
source_encoding() {
    if starts_with_bom "$1"; then
        echo utf-8
    elif perl -ne 'exit 1 if /[\x80-\xFF]/' "$1"; then
        if is_windows_build; then echo windows-1252; else echo utf-8; fi
    elif iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1; then
        echo utf-8
    else
        echo windows-1252
    fi
}

starts_with_bom() { [ "$(head -c 3 "$1" | od -An -tx1 | tr -d ' \n')" = efbbbf ]; }

# expected_for SETTINGS FILE: the expected file to compare with in this
# build. The expected files hold what the native (Linux) build writes. For
# the Windows build, FILE's stem with ".windows" before its extension is
# used when there is such a file; otherwise, when the settings file is
# ASCII and names no text_encoding, the fixed characters, the only
# non-ASCII bytes of such an output, differ only in their encoding: the
# expected file is FILE converted from UTF-8 to Windows-1252.
expected_for() {
    local windows_file="${2%.*}.windows.${2##*.}"
    if is_windows_build && [ -f "$windows_file" ]; then
        echo "$windows_file"
    elif is_windows_build && [ -f "$2" ] && [ "$(settings_encoding "$1")" != "$(KESTRANE_CRLF=0 settings_encoding "$1")" ]; then
        iconv -f UTF-8 -t CP1252 "$2" >"$work/expected.${2##*/}"
        echo "$work/expected.${2##*/}"
    else
        echo "$2"
    fi
}

# check_encoding SETTINGS SCRIPT [REPORT]: the files the tool wrote are valid
# text in the encoding chosen for SETTINGS, the report starts with a
# byte-order mark exactly when the settings file did and the report is
# UTF-8, and the script never does. Every script and report holds the
# tool's section sign, so a Windows-1252 one is never valid UTF-8.
check_encoding() {
    local encoding file ok=0
    encoding=$(settings_encoding "$1")
    for file in "${@:2}"; do
        [ -f "$file" ] || continue
        if [ "$encoding" = utf-8 ]; then
            iconv -f UTF-8 -t UTF-8 "$file" >/dev/null 2>&1 || { echo "FAIL: $file is not valid UTF-8"; ok=1; }
        else
            iconv -f CP1252 -t UTF-8 "$file" >/dev/null 2>&1 || { echo "FAIL: $file is not Windows-1252"; ok=1; }
            ! iconv -f UTF-8 -t UTF-8 "$file" >/dev/null 2>&1 ||
                { echo "FAIL: $file is UTF-8, not Windows-1252"; ok=1; }
        fi
    done
    if [ -f "$2" ] && starts_with_bom "$2"; then
        echo "FAIL: the script $2 starts with a byte-order mark"
        ok=1
    fi
    if [ -n "${3:-}" ] && [ -f "$3" ]; then
        local want=no got=no
        starts_with_bom "$1" && [ "$encoding" = utf-8 ] && want=yes
        starts_with_bom "$3" && got=yes
        [ "$want" = "$got" ] || { echo "FAIL: byte-order mark in the report: $got, expected $want"; ok=1; }
    fi
    return $ok
}

# as_utf8 FILE: the file's text in UTF-8: as it is when it is valid UTF-8,
# converted from Windows-1252 otherwise.
as_utf8() {
    if iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1; then
        cat "$1"
    else
        iconv -f CP1252 -t UTF-8 "$1"
    fi
}

make_work() {
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/bin"
    # The stand-in opener: appends its arguments, one per line, to a log.
    cat >"$work/bin/xdg-open" <<'OPENER'
#!/bin/sh
for a in "$@"; do printf '%s\n' "$a" >>"$(dirname "$0")/opened.log"; done
OPENER
    chmod +x "$work/bin/xdg-open"
}

# server_work: for the tests on a real game server (Debian's OpenArena
# dedicated server): skips (status 77) where it is not installed, makes
# $work with the game's folder .openarena/baseoa in it, and on exit kills
# the server whose process id is in $server_pid and removes $work.
server=/usr/games/openarena-server
server_work() {
    [ -x "$server" ] || { echo "SKIP: $server is not installed"; exit 77; }
    make_work
    server_pid=""
    trap stop_server_work EXIT
    mkdir -p "$work/.openarena/baseoa"
}
stop_server_work() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
    exec 3>&- 2>/dev/null
    rm -rf "$work"
}
