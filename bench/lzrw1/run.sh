#!/usr/bin/env bash
# LZRW1-KH speed on 4 MB of tally-like text and of random bytes, beside lz4 -1 on the same files
# (lz4's own in-memory benchmark mode, so neither figure counts process start or disk).
set -euo pipefail
build=${1:-build}
bench="$build/bench/lzrw1/bench_lzrw1"
[ -x "$bench" ] || cmake --build "$build" --target bench_lzrw1 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bench" "$work"
if ! command -v lz4 >/dev/null; then
  echo "lz4 not installed: no comparison"
  exit 0
fi
for name in tally.txt random.bin; do
  # lz4 -b prints e.g. " 1#tally.txt :  4194304 ->  1234567 (3.397), 512.3 MB/s , 3012.5 MB/s"
  line=$(cd "$work" && lz4 -b1 -i3 "$name" 2>&1 | tr '\r' '\n' | grep -E 'MB/s.*MB/s' | tail -1)
  awk -v name="$name" -v line="$line" 'BEGIN {
    n = split(line, f, /[ ,()]+/); ratio = 0; c = 0; d = 0; k = 0
    for (i = 1; i <= n; i++) {
      if (f[i] == "->") { insize = f[i-1]; outsize = f[i+1] }
      if (f[i] == "MB/s") { k++; if (k == 1) c = f[i-1]; else d = f[i-1] }
    }
    if (insize > 0) ratio = 100 * outsize / insize
    printf "%-10s %-8s ratio %5.1f%%  compress %8.1f MB/s  expand %8.1f MB/s\n", name, "lz4 -1", ratio, c, d
  }'
done
