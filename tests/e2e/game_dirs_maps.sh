# The cycles' map names looked up in game folders: in two .pk3 archives
# made here (one spelt in capitals) and as a loose map, in any case; the
# folders of the setting "game_dirs" and of --game-dir are both searched;
# a map found nowhere is an error that names the folders and the nearest
# installed name, and a normal run still writes its script.
command -v zip >/dev/null || skip "the zip tool is not installed"
mkdir -p "$work/files/maps" "$work/files/MAPS" "$work/game/maps" "$work/more"
touch "$work/files/maps/arena1.bsp" "$work/files/maps/Arena2.BSP" "$work/files/MAPS/BigRoom.bsp" \
    "$work/files/maps/extra.bsp" "$work/files/maps/outside.bsp" "$work/game/maps/loose.bsp"
(cd "$work/files" && zip -q ../game/pak0.pk3 maps/arena1.bsp maps/Arena2.BSP &&
    zip -q ../game/PAK1.PK3 MAPS/BigRoom.bsp && zip -q ../more/extra.pk3 maps/extra.bsp &&
    zip -q ../game/outside.zip maps/outside.bsp) || fail "zip failed"
settings $'$output = out.cfg\n%terminate = 1\n%no_popup_cfg = 1\n$()game_dirs = game\n$()cycles = alpha\nbeta\n{alpha\n$()maps = ARENA1 ; 10\narena2\nbigroom\n}\n{beta\n$()maps = Loose\narean1 ; 5\nextra\noutside\n}\n'

run --check settings.ini </dev/null
expect_status 1
expect_stderr check
expect_no_file out.cfg

run --check --game-dir more settings.ini </dev/null
expect_status 1
expect_stderr both

run settings.ini </dev/null
expect_status 0
expect_file out.cfg
expect_stderr run
