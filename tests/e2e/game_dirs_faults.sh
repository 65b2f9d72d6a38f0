# Game folders that cannot be searched are findings of their own: one that
# does not exist, a file, a folder with no maps, an archive that is no zip
# archive. The other folders are still searched.
mkdir -p "$work/game/maps" "$work/empty"
touch "$work/game/maps/arena1.bsp"
printf 'not a zip archive' >"$work/game/broken.pk3"
settings $'$()game_dirs = nowhere\nsettings.ini\n$()cycles = alpha\n{alpha\n$()maps = arena1\narena9\n}\n'
run --check --game-dir empty --game-dir game settings.ini </dev/null
expect_status 1
expect_stderr
