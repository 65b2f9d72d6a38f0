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
