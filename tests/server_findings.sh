#!/usr/bin/env bash
# The findings about what a server will break, proven on a real server
# (Debian's OpenArena dedicated server): for each case a settings file, the
# findings the tool prints for it (tests/server/CASE.stderr, compared as
# bytes), and what the server does with the script. The cases that break
# the server break it the way their finding says; the cases just under each
# limit, and the bundled example, give no error and run: "vstr" of a cycle
# loads its first map and "vstr nextmap" moves on. The small settings files
# are tests/server/CASE.ini; the large ones are made here.
# Usage: server_findings.sh TOOL ROOT. Exit 0 passed, 1 failed, 77 skipped.
set -u
tool=$(realpath "$1")
root=$2
fixtures="$root/tests/server"
server=/usr/games/openarena-server
[ -x "$server" ] || { echo "SKIP: $server is not installed"; exit 77; }
[ "${KESTRANE_CRLF:-0}" = 1 ] && { echo "SKIP: the server runs Linux's build of the tool's scripts"; exit 77; }
. "$(dirname "$0")/lib.sh"
make_work

server_pid=""
cleanup() {
    if [ -n "$server_pid" ]; then
        kill -- -"$server_pid" 2>/dev/null
        kill "$server_pid" 2>/dev/null
        wait "$server_pid" 2>/dev/null
    fi
    [ -n "${KEEP_WORK:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
# A server that has exited closes its console: writing to it must fail,
# not end the test.
trap '' PIPE

failed=0
fail() {
    echo "FAIL: $case: $*"
    failed=1
}

# --- the tool ---------------------------------------------------------

# cycle_of MAPS [PAD [LAST_PAD]]: settings of one cycle c0 of MAPS maps
# (the seven oa_dm maps in turn); with PAD, each map line carries the
# command "echo " and PAD letters, the last one LAST_PAD letters.
cycle_of() {
    printf '%%terminate = 1\n%%no_popup_cfg = 1\n$output = .openarena/baseoa/rot.cfg\n$()cycles = c0\n{c0\n'
    awk -v maps="$1" -v pad="${2:-}" -v last="${3:-${2:-}}" 'BEGIN {
        for (m = 0; m < maps; m++) {
            size = m == maps - 1 ? last : pad
            extra = ""
            if (size != "") {
                extra = " ; ; ; echo "
                for (i = 0; i < size; i++) extra = extra "p"
                extra = extra ";"
            }
            printf "%soa_dm%d%s\n", (m == 0 ? "$()maps = " : ""), m % 7 + 1, extra
        }
    }'
    printf '}\n'
}

# begin CASE [SETTINGS_FILE]: a fresh folder for the case, its settings
# file copied in (tests/server/CASE.ini unless named) or already written.
begin() {
    case=$1
    dir="$work/$case"
    mkdir -p "$dir/.openarena/baseoa"
    [ -n "${2:-}" ] && cp "$2" "$dir/$case.ini"
    [ -f "$dir/$case.ini" ] || cp "$fixtures/$case.ini" "$dir/$case.ini"
}

# make_script: runs the tool on the case's settings; its standard error
# must be tests/server/CASE.stderr (empty when there is none).
make_script() {
    (cd "$dir" && "$tool" "$case.ini" </dev/null >console.out 2>stderr.out) || fail "the tool's exit status $?"
    [ -f "$dir/.openarena/baseoa/rot.cfg" ] || fail "no script written"
    if [ -f "$fixtures/$case.stderr" ] || [ -s "$dir/stderr.out" ]; then
        same_bytes "$fixtures/$case.stderr" "$dir/stderr.out" || fail "findings differ"
    fi
}

# make_script_only: the same for a settings mistake whose finding belongs
# to the settings checks; the script must be tests/server/CASE.cfg.
make_script_only() {
    (cd "$dir" && "$tool" "$case.ini" </dev/null >console.out 2>stderr.out) || fail "the tool's exit status $?"
    same_bytes "$fixtures/$case.cfg" "$dir/.openarena/baseoa/rot.cfg" || fail "script differs"
}

# script_size: bytes of the case's script.
script_size() {
    wc -c <"$dir/.openarena/baseoa/rot.cfg"
}

# --- the server -------------------------------------------------------

# serve [ARGS...]: starts the server on the case's folder as its home, with
# ARGS after the usual ones; its console is a pipe, its output the log.
serve() {
    log="$dir/server.log"
    rm -f "$dir/console"
    mkfifo "$dir/console"
    HOME="$dir" timeout 30 "$server" +set dedicated 1 +set ttycon 0 +set net_enabled 0 "$@" \
        <"$dir/console" >"$log" 2>&1 &
    server_pid=$!
    exec 3>"$dir/console"
    marks=0
}

# type_in COMMAND: types the command and waits until the server has run it.
type_in() {
    marks=$((marks + 1))
    printf '%s\necho MARK_%s\n' "$1" "$marks" >&3
    for _ in $(seq 1 300); do
        grep -q -x "MARK_$marks" "$log" && return 0
        kill -0 "$server_pid" 2>/dev/null || return 1
        sleep 0.05
    done
    fail "the server did not run: $1"
    return 1
}

# exec_script: types "exec rot.cfg" on its own (any text queued behind it
# would lower the server's limit) and waits until the server has run it.
exec_script() {
    printf 'exec rot.cfg\n' >&3
    for _ in $(seq 1 300); do
        grep -q "^execing rot.cfg" "$log" && { sleep 0.3; return 0; }
        kill -0 "$server_pid" 2>/dev/null || return 1
        sleep 0.05
    done
    fail "the server did not run the exec"
    return 1
}

# stop: quits the server (killing it if it does not go) and sets
# $server_status.
stop() {
    printf 'quit\n' >&3 2>/dev/null
    exec 3>&-
    for _ in $(seq 1 100); do
        kill -0 "$server_pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -- -"$server_pid" 2>/dev/null
    wait "$server_pid"
    server_status=$?
    server_pid=""
}

# logged TEXT: the log holds the line TEXT (fixed text, whole line).
logged() {
    grep -q -x -F -- "$1" "$log" || fail "the log lacks: $1"
}
not_logged() {
    ! grep -q -F -- "$1" "$log" || fail "the log has: $(grep -m1 -F -- "$1" "$log")"
}
# map_is NAME: the server's current map, as "mapname" prints it.
map_is() {
    type_in mapname
    local now
    now=$(grep '^"mapname" is:' "$log" | tail -n 1)
    [ "$now" = "\"mapname\" is:\"$1^7\"" ] || fail "the map is not $1: $now"
}
# runs FIRST SECOND [CYCLE]: the cycle starts on FIRST, "vstr nextmap" moves
# it on to SECOND, and the server met no unknown command.
runs() {
    type_in "vstr ${3:-c0}"
    map_is "$1"
    type_in "vstr nextmap"
    map_is "$2"
    not_logged "unknown command"
}

# --- just under each limit, and the example: no error, and they run ---

case=example
begin example "$root/examples/cycles.ini"
sed -i 's|^\$output = .*|$output = .openarena/baseoa/rot.cfg|;s|^\$report_path = .*|$report_path =|' "$dir/example.ini"
make_script
serve +map oa_dm3
exec_script
runs oa_dm1 oa_dm2 ffa
runs pul1duel-oa pul1duel-oa duel
runs oa_bases3 aggressor tdm
runs oa_ctf2 ctf_gate1 ctf
stop

begin line_just_under
make_script
[ "$(awk '{ print length($0) }' "$dir/.openarena/baseoa/rot.cfg" | sort -n | tail -n 1)" = 1023 ] ||
    fail "the longest line is not 1023 bytes"
serve +map oa_dm3
exec_script
runs oa_dm1 oa_dm2
stop

# 200 links of about 650 bytes: the last one's length makes the script
# 131071 bytes.
case=script_just_under
mkdir -p "$work/$case"
cycle_of 200 600 600 >"$work/$case/$case.ini"
begin "$case"
(cd "$dir" && "$tool" "$case.ini" </dev/null >/dev/null 2>&1)
cycle_of 200 600 $((600 + 131071 - $(script_size))) >"$dir/$case.ini"
make_script
[ "$(script_size)" = 131071 ] || fail "the script is $(script_size) bytes"
serve
exec_script
runs oa_dm1 oa_dm2
stop
# As the finding's note says: the "vstr c0" queued behind the exec counts.
serve +exec rot.cfg +vstr c0
map_is nomap
logged "Cbuf_InsertText overflowed"
stop

case=variables_just_under
mkdir -p "$work/$case"
cycle_of 1699 >"$work/$case/$case.ini"
begin "$case"
make_script
serve
exec_script
runs oa_dm1 oa_dm2
stop

# --- each error, and the server breaking as its finding says ---------

# The link is cut after 1023 bytes: the tail runs at once as a command
# (with a map running, the game says so), the link keeps no nextmap, and
# the loaded map's own nextmap only restarts it.
begin line_too_long
make_script
serve +map oa_dm3
exec_script
logged "unknown command: xtmap"
type_in "vstr c0"
map_is oa_dm1
logged "Cvar n does not exist."
type_in "vstr nextmap"
map_is oa_dm1
stop

case=script_too_large
mkdir -p "$work/$case"
cp "$work/script_just_under/script_just_under.ini" "$work/$case/$case.ini"
sed -i '$d' "$work/$case/$case.ini"
sed -i '$s/;$/p;/' "$work/$case/$case.ini"
echo "}" >>"$work/$case/$case.ini"
begin "$case"
make_script
[ "$(script_size)" = 131072 ] || fail "the script is $(script_size) bytes"
serve
exec_script
logged "Cbuf_InsertText overflowed"
type_in "vstr c0"
map_is nomap
stop

case=too_many_variables
mkdir -p "$work/$case"
cycle_of 1770 >"$work/$case/$case.ini"
begin "$case"
make_script
serve
exec_script
type_in "vstr c0"
stop
logged "Error: Too many cvars, cannot create a new one!"
[ "$server_status" = 3 ] || fail "the server's exit status is $server_status, not 3"

begin game_value_too_long
make_script
serve
exec_script
type_in "vstr c0"
grep -q "^----- Server Shutdown (Server crashed: Cvar_Update: src m* length 256 exceeds MAX_CVAR_VALUE_STRING) -----" \
    "$log" || fail "the map did not fail for the long value"
stop

# A "/*" comment hides the commands queued behind it too: "vstr c0" goes
# to the server on its own.
for case in comment_in_command block_comment_in_command; do
    begin "$case"
    make_script
    serve
    exec_script
    printf 'vstr c0\n' >&3
    sleep 0.5
    map_is nomap
    type_in nextmap
    logged '"nextmap" is:"^7", the default'
    stop
done

begin map_name_too_long
make_script
serve
exec_script
runs oa_dm1 oa_dm1
logged "Can't find map maps/oa_dm2_with_a_name_far_too_long_for_the_server_to_load1.bs"
stop

# --- settings mistakes whose findings the settings checks give --------

# The quote ends the value of c0_1 after "set g_motd ": the rest of the
# line runs at exec time, and the cycle's links hold no map.
begin double_quote_in_command
make_script_only
serve
exec_script
type_in c0_1
grep '^"c0_1" is:' "$log" | grep -q -v "map" || fail "c0_1 has kept its map"
type_in "vstr c0"
map_is nomap
stop

begin blank_in_cycle_name
make_script_only
serve
exec_script
type_in "vstr free for all"
logged "vstr <variablename> : execute a variable command"
map_is nomap
stop

# "map oa dm2" loads oa.bsp, which is not there: the server stays on
# oa_dm1 while nextmap moves on to the third map.
begin blank_in_map_name
make_script_only
serve
exec_script
runs oa_dm1 oa_dm1
logged "Can't find map maps/oa.bsp"
type_in "vstr nextmap"
map_is oa_dm3
stop

begin missing_map
make_script_only
serve
exec_script
runs oa_dm1 oa_dm1
logged "Can't find map maps/oa_dm9.bsp"
type_in "vstr nextmap"
map_is oa_dm3
stop

[ "$failed" = 0 ] || echo "(server logs in $work, removed on exit)"
exit $failed
