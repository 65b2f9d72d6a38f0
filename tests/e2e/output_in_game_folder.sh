# The game's files are looked at as they are before the run writes
# anything: a script written into the game folder under a map's name does
# not make that map installed, run after run (the files go to the disk on
# a thread of their own while other work goes on).
mkdir -p "$work/game/maps"
touch "$work/game/maps/arena1.bsp"
settings $'%terminate = 1\n%no_popup_cfg = 1\n$output = game/maps/arena2.bsp\n$()cycles = alpha\n{alpha\n$()maps = arena1\narena2\n}\n'
for attempt in 1 2 3 4 5 6; do
    rm -f "$work/game/maps/arena2.bsp"
    run --game-dir game settings.ini </dev/null
    expect_status 0
    expect_stderr
done
