#!/usr/bin/env bash
# Builds the store benchmark (Release, in build-bench/) and runs it.
# Arguments go to the store benchmark: question counts, and --runs=N (default: 2000 100000, 5 runs).
# launch_bench: All Questions on the delivered bank, name dialog's OK to item 1 laid out.
# view_bench: Next Item on a typical item to the view laid out, median over 1000 moves.
# builder_bench: BuildShuffledSet + InitAnswerSheet against one INSERT ... SELECT; its arguments
# come from BUILDER_ARGS: a question count (default 100000), --runs=N (default 3), --fresh (the
# bank is kept in build-bench/builder-bench-<count>/ between runs).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cmake -S "$root" -B "$root/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build-bench" -j2 --target store_bench view_bench launch_bench builder_bench
cd "$root/build-bench"
./bench/view_bench
echo
./bench/launch_bench
echo
./bench/store_bench "$@"
echo
# shellcheck disable=SC2086
exec ./bench/builder_bench ${BUILDER_ARGS:-}
