#!/usr/bin/env python3
"""Writes the whole-run workloads into a folder:
full.ini   exactly 10000 entries: 100 cycles of about 97 maps, phpbb report
long.ini   one cycle of 9990 maps
small.ini  the shape of full.ini at 1000 entries
huge.ini   64 MiB: one map line that carries 64 MiB of extra commands
quarter.ini  the same at 16 MiB, to show that time grows linearly
section20k.ini   a 2 MiB section name over 20000 list lines (every key too long)
section200k.ini  the same over 200000 lines, to show that time grows linearly
comment.ini  a cycle with a 64 MiB comment
cyclename.ini  a cycle with a 64 MiB name
"""
import os
import sys

GLOBALS = """%terminate = 1
%no_popup_cfg = 1
%no_popup_report = 1
$output = out.cfg
$report_path = out.txt
$report_format = phpbb
$cycles_list = cycles
$maps_list_suffix = _maps
$global_command = set g_motd hello;
"""
GLOBAL_ENTRIES = 9


def cycles_file(total_entries, cycle_count, with_extras=True):
    # Per cycle: init_command, local_command, comment (with_extras) and maps.
    per_cycle_fixed = 3 if with_extras else 0
    maps_total = total_entries - GLOBAL_ENTRIES - cycle_count - cycle_count * per_cycle_fixed
    lines = [GLOBALS, "$()cycles = c0\n"] + ["c%d\n" % i for i in range(1, cycle_count)]
    for c in range(cycle_count):
        maps = maps_total // cycle_count + (1 if c < maps_total % cycle_count else 0)
        lines.append("{c%d\n" % c)
        if with_extras:
            lines.append("$init_command = set g_gametype 0;\n$local_command = set g_doWarmup 1;\n")
            lines.append("$comment = Cycle number %d of the benchmark\n" % c)
        lines.append("$()maps = map_%d_0 ; 15 ; 30\n" % c)
        lines.extend("map_%d_%d ; %d ; 25 ; set g_speed 320;\n" % (c, m, 10 + m % 7) for m in range(1, maps))
        lines.append("}\n")
    return "".join(lines)


def huge_file(size):
    head = GLOBALS + "$()cycles = big\n{big\n$()maps = oa_dm1 ; 10 ; 20 ; "
    tail = "\n}\n"
    filler = size - len(head) - len(tail)
    command = "echo x;"
    body = command * (filler // len(command)) + "x" * (filler % len(command))
    return head + body + tail


def long_section_file(lines, name_size=2 * 1024 * 1024):
    # Every key under the section is longer than the store keeps.
    return (GLOBALS + "$()cycles = c\n{" + "s" * name_size + "\n$()maps = m ; 10\n" + "m ; 10\n" * lines
            + "}\n")


def long_comment_file(size):
    return GLOBALS + "$()cycles = c\n{c\n$comment = " + "c" * size + "\n$()maps = m ; 10\n}\n"


def long_cycle_name_file(size):
    return GLOBALS + "$()cycles = " + "n" * size + "\n"


def main_into(folder):
    os.makedirs(folder, exist_ok=True)
    files = {
        "full.ini": cycles_file(10000, 100),
        "long.ini": cycles_file(GLOBAL_ENTRIES + 1 + 9990, 1, with_extras=False),
        "small.ini": cycles_file(1000, 10),
        "huge.ini": huge_file(64 * 1024 * 1024),
        "quarter.ini": huge_file(16 * 1024 * 1024),
        "section20k.ini": long_section_file(20000),
        "section200k.ini": long_section_file(200000),
        "comment.ini": long_comment_file(64 * 1024 * 1024),
        "cyclename.ini": long_cycle_name_file(64 * 1024 * 1024),
    }
    for name, text in files.items():
        with open(os.path.join(folder, name), "w", newline="\n") as out:
            out.write(text)


if __name__ == "__main__":
    main_into(sys.argv[1] if len(sys.argv) > 1 else ".")
