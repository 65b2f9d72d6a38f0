# A run killed while it writes a large script leaves the target with
# exactly its old bytes or exactly the new ones, and after SIGTERM, SIGHUP
# or SIGINT no temporary file either; a signal the caller set to be ignored
# does not stop the run at all. Each kill waits until the temporary file
# exists, so that it falls into the write loop.
is_windows && skip "POSIX signals"
env --default-signal=INT true 2>/dev/null || skip "env cannot reset a signal here"
filler=$(head -c 2000 /dev/zero | tr '\0' 'x')
{
    printf '%%terminate = 1\n%%no_popup_cfg = 1\n$output = out.cfg\n$()cycles = big\n{big\n$()maps = m0;10\n'
    awk -v filler="$filler" 'BEGIN { for (i = 1; i < 3000; i++) printf "m%d;10;;say %s;\n", i, filler }'
    printf '}\n'
} >"$work/settings.ini"
run settings.ini </dev/null
expect_status 0
mv "$work/out.cfg" "$work/new.cfg"
printf 'old script\n' >"$work/old.cfg"

temporary_left() { compgen -G "$work/.out.cfg.*" >/dev/null; }
# start_tool ENV_OPTION: the tool in the background, its pid in $pid; the
# shell would start it with SIGINT ignored, so env sets it back.
start_tool() {
    (cd "$work" && exec env "$1" "$tool" settings.ini </dev/null >/dev/null 2>&1) &
    pid=$!
    while kill -0 "$pid" 2>/dev/null && ! temporary_left; do sleep 0.001; done
}
hits=0
for signal in KILL TERM HUP INT; do
    for delay in 0 0.001 0.003 0.01 0.03; do
        cp "$work/old.cfg" "$work/out.cfg"
        start_tool --default-signal=INT
        sleep "$delay"
        kill -s "$signal" "$pid" 2>/dev/null
        { wait "$pid"; } 2>/dev/null
        code=$?
        if cmp -s "$work/out.cfg" "$work/old.cfg"; then
            [ "$code" -gt 128 ] || fail "$signal after $delay s: old bytes, status $code"
            hits=$((hits + 1))
        elif ! cmp -s "$work/out.cfg" "$work/new.cfg"; then
            fail "$signal after $delay s: the script is neither the old one nor the new one"
        fi
        if [ "$signal" != KILL ] && temporary_left; then fail "$signal after $delay s: temporary file left"; fi
        rm -f "$work"/.out.cfg.*
    done
done
[ "$hits" -gt 0 ] || fail "no kill fell into the write loop"
echo "kills that fell into the write loop: $hits of 20"

for signal in TERM HUP INT; do
    cp "$work/old.cfg" "$work/out.cfg"
    start_tool "--ignore-signal=$signal"
    kill -s "$signal" "$pid" 2>/dev/null
    { wait "$pid"; } 2>/dev/null
    code=$?
    [ "$code" = 0 ] || fail "ignored $signal: status $code"
    cmp -s "$work/out.cfg" "$work/new.cfg" || fail "ignored $signal: the script was not written"
done
