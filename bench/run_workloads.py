#!/usr/bin/env python3
"""Whole-run benchmark: generates the workloads, runs the built tool on
each several times and prints the medians beside the goals. Exits with
status 1 when a goal that does not depend on the machine's noise is missed:
peak memory, or the growth from 1000 to 10000 entries. The timing ratios
against a plain copy are printed for information only.

Usage: bench/run_workloads.py [TOOL] [RUNS]   (default build/release/kestrane, 15)
"""
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_workloads  # noqa: E402


def timed(command, folder, runs):
    """Median wall time in seconds and the largest peak memory in KiB."""
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       stdin=subprocess.DEVNULL, check=True)
        times.append(time.perf_counter() - start)
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    return statistics.median(times), peak


def timed_in_turn(commands, folder, runs):
    """Median wall time in seconds of each command, the commands run in turn,
    so that a change in the machine's load touches them alike."""
    times = [[] for _ in commands]
    for _ in range(runs):
        for command, samples in zip(commands, times):
            start = time.perf_counter()
            subprocess.run(command, cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           stdin=subprocess.DEVNULL, check=False)
            samples.append(time.perf_counter() - start)
    return [statistics.median(samples) for samples in times]


def peak_of(command, folder):
    """Peak memory in KiB of one run, measured in a fresh child process."""
    probe = ("import resource,subprocess,sys;"
             "subprocess.run(sys.argv[2:],cwd=sys.argv[1],stdout=subprocess.DEVNULL,stderr=subprocess.DEVNULL,"
             "stdin=subprocess.DEVNULL);"
             "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)")
    out = subprocess.run([sys.executable, "-c", probe, folder] + command, capture_output=True, text=True, check=True)
    return int(out.stdout.strip())


def main():
    tool = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/release/kestrane")
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    folder = tempfile.mkdtemp(prefix="kestrane_bench_")
    try:
        make_workloads.main_into(folder)
        results = {}
        for name in ("full", "long", "small", "huge", "quarter", "section20k", "section200k"):
            big = name in ("huge", "quarter", "section20k", "section200k")
            results[name] = timed([tool, name + ".ini"], folder, max(3, runs // 3) if big else runs)
            shutil.copy(os.path.join(folder, "out.cfg"), os.path.join(folder, name + ".cfg"))
            shutil.copy(os.path.join(folder, "out.txt"), os.path.join(folder, name + ".txt"))
        copy = ["sh", "-c", "cat full.ini full.cfg full.txt > copy.bin"]
        # Workload 1 (a normal run, its findings included), --check on the
        # same file, and the copy it is measured against, taken in turn.
        full_run, check, copy_time = timed_in_turn([[tool, "full.ini"], [tool, "--check", "full.ini"], copy],
                                                   folder, runs)
        results["full"] = (full_run, results["full"][1])
        huge_size = os.path.getsize(os.path.join(folder, "huge.ini"))
        huge_peak = peak_of([tool, "huge.ini"], folder)
        field_size = 64 * 2**20
        comment_peak = peak_of([tool, "comment.ini"], folder)
        cycle_name_peak = peak_of([tool, "cyclename.ini"], folder)

        full, long_, small, huge, quarter, section20k, section200k = (
            results[n][0] for n in ("full", "long", "small", "huge", "quarter", "section20k", "section200k"))
        limit_mib = 3 * huge_size / 2**20 + 8
        field_limit_mib = 3 * field_size / 2**20 + 8
        rows = [
            ("1 full capacity (10000 entries)", "%.1f ms" % (full * 1e3),
             "%.2f x copy (%.1f ms)" % (full / copy_time, copy_time * 1e3), "<= 1.5 x copy"),
            ("1 the same with --check", "%.1f ms" % (check * 1e3), "%.2f x the normal run" % (check / full),
             "<= 1 x the normal run"),
            ("2 one list of 9990 maps", "%.1f ms" % (long_ * 1e3), "%.2f x workload 1" % (long_ / full),
             "<= 1.5 x workload 1"),
            ("3 growth (1000 entries)", "%.1f ms" % (small * 1e3), "workload 1 = %.2f x this" % (full / small),
             "<= 10 x"),
            ("4 one 64 MiB value", "%.1f ms" % (huge * 1e3),
             "peak %.1f MiB (limit %.0f MiB)" % (huge_peak / 1024, limit_mib), "<= 3 x size + 8 MiB"),
            ("4 the same at 16 MiB", "%.1f ms" % (quarter * 1e3), "64 MiB takes %.2f x this" % (huge / quarter),
             "linear: about 4 x"),
            ("5 2 MiB section, 20000 lines", "%.1f ms" % (section20k * 1e3), "", ""),
            ("5 the same over 200000 lines", "%.1f ms" % (section200k * 1e3),
             "%.2f x the 20000 lines" % (section200k / section20k), "linear: at most 10 x"),
            ("6 a 64 MiB comment (report)", "", "peak %.1f MiB (limit %.0f MiB)" % (comment_peak / 1024, field_limit_mib),
             "<= 3 x field + 8 MiB"),
            ("6 a 64 MiB cycle name (script)", "",
             "peak %.1f MiB (limit %.0f MiB)" % (cycle_name_peak / 1024, field_limit_mib), "<= 3 x field + 8 MiB"),
        ]
        print("%-34s %10s  %-34s %s" % ("workload", "median", "measured", "goal"))
        for row in rows:
            print("%-34s %10s  %-34s %s" % row)
        missed = []
        if huge_peak / 1024 > limit_mib:
            missed.append("peak memory of workload 4: %.1f MiB, limit %.0f MiB" % (huge_peak / 1024, limit_mib))
        if full / small > 10:
            missed.append("growth from 1000 to 10000 entries: %.2f x, limit 10 x" % (full / small))
        for what, peak in (("a 64 MiB comment", comment_peak), ("a 64 MiB cycle name", cycle_name_peak)):
            if peak / 1024 > field_limit_mib:
                missed.append("peak memory of %s: %.1f MiB, limit %.0f MiB" % (what, peak / 1024, field_limit_mib))
        for goal in missed:
            print("MISSED: " + goal)
        return 1 if missed else 0
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
