#!/bin/sh
# Builds the lyrics reader's fuzzer with clang in a build folder of its own
# and runs it for a short while: run_fuzz.sh SOURCE BUILD CC CXX.
# ORBITPUB_FUZZ_SECONDS sets how long (default 25). The corpus it grows stays
# in BUILD/corpus for the next run; a crash leaves its input in BUILD.
set -eu
src=$1
build=$2
seconds=${ORBITPUB_FUZZ_SECONDS:-25}
cmake -S "$src" -B "$build" -DCMAKE_C_COMPILER="$3" -DCMAKE_CXX_COMPILER="$4" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBITPUB_FUZZ=ON >"$build.configure.log" 2>&1 ||
    { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j2 --target lyrics_fuzz
mkdir -p "$build/corpus"
cd "$build"
exec "$build/tests/song/lyrics_fuzz" -max_total_time="$seconds" -max_len=4096 \
    -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 -dict="$src/tests/song/lyrics.dict" \
    "$build/corpus" "$src/tests/song/fuzz_seeds"
