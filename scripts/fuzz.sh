#!/usr/bin/env bash
# Builds every libFuzzer target with clang under ASan + UBSan and runs each for a short time.
# FUZZ_SECONDS sets the time per target (default 30). Findings go to build-fuzz/crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${FUZZ_SECONDS:-30}
launcher=""
if command -v ccache >/dev/null; then launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"; fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher \
  -DCMAKE_CXX_COMPILER=clang++ -DLASTLING_SANITIZE=ON -DLASTLING_FUZZ=ON \
  -DLASTLING_TESTS=OFF >/dev/null
targets=$(cd fuzz && for d in */; do [ -f "$d/CMakeLists.txt" ] && sed -n 's/.*lastling_add_fuzzer(NAME \([A-Za-z0-9_]*\).*/fuzz_\1/p' "$d/CMakeLists.txt"; done)
if [ -z "$targets" ]; then echo "no fuzz targets"; exit 0; fi
cmake --build build-fuzz -j "$(nproc)" --target $targets
status=0
for t in $targets; do
  corpus=build-fuzz/corpus/$t; mkdir -p "$corpus"
  seeds=fuzz/${t#fuzz_}/seeds
  [ -d "$seeds" ] || seeds=""
  echo "== $t for ${secs}s"
  if ! build-fuzz/fuzzers/$t -max_total_time="$secs" -print_final_stats=1 \
      -artifact_prefix=build-fuzz/ "$corpus" $seeds 2>build-fuzz/$t.log; then
    tail -50 build-fuzz/$t.log; status=1
  else
    grep -E 'stat::number_of_executed_units|Done' build-fuzz/$t.log | tail -2 || true
  fi
done
exit $status
