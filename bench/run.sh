#!/usr/bin/env bash
# Builds the store benchmark (Release, in build-bench/) and runs it.
# Arguments go to the store benchmark: question counts, and --runs=N (default: 2000 100000, 5 runs).
# launch_bench: All Questions on the delivered bank, name dialog's OK to item 1 laid out.
# view_bench: Next Item on a typical item to the view laid out, median over 1000 moves.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cmake -S "$root" -B "$root/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build-bench" -j2 --target store_bench view_bench launch_bench
cd "$root/build-bench"
./bench/view_bench
echo
./bench/launch_bench
echo
exec ./bench/store_bench "$@"
