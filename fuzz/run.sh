#!/usr/bin/env bash
# Runs one fuzz target for a bounded time on a seed corpus made of the
# bundled example and the test fixtures. Any finding fails the run.
# Usage: fuzz/run.sh TARGET SECONDS [BUILD_DIR]
set -euo pipefail
target=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
build=${3:-$root/build/fuzz}
corpus=$build/corpus/$target
mkdir -p "$corpus" "$build/findings"
cp "$root"/examples/*.ini "$root"/tests/golden/*.ini "$root"/tests/server/*.ini "$corpus"/
cd "$build/findings"
# -max_len leaves room for a settings file that fills the whole store.
"$build/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$corpus"
