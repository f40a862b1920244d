#!/usr/bin/env bash
# The checks that CI runs after the README's test command:
#  1. the whole test suite built with AddressSanitizer and
#     UndefinedBehaviorSanitizer (gcc), run headless; the first error found
#     stops the run and fails it;
#  2. every fuzz target built with libFuzzer (clang, quz_core instrumented
#     too) and run for a fixed time on its seed corpus with the dictionary.
# Installs the compilers it needs from Debian's packages when they are
# missing. Build folders: build-asan and build-fuzz beside build.
#   bash tools/ci_sanitizers.sh          (QUZ_FUZZ_SECONDS=30 per target)
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
asan_build=${QUZ_ASAN_BUILD_DIR:-$top/build-asan}
fuzz_build=${QUZ_FUZZ_BUILD_DIR:-$top/build-fuzz}
fuzz_seconds=${QUZ_FUZZ_SECONDS:-30}
jobs=$(nproc)

source "$top/tools/packages.sh"
install_missing "${quz_packages[@]}" clang-14 libclang-rt-14-dev llvm-14

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

section() { printf '\n== %s (%s)\n' "$1" "$(date +%T)"; }

# 1. Tests under AddressSanitizer and UndefinedBehaviorSanitizer.
section "test suite with AddressSanitizer and UndefinedBehaviorSanitizer"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$top" -B "$asan_build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Debug \
  -DQUZ_BUILD_BENCH=OFF -DQUZ_WERROR="${QUZ_WERROR:-OFF}" "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="$sanitize -O1" -DCMAKE_EXE_LINKER_FLAGS="$sanitize" \
  -DCMAKE_MODULE_LINKER_FLAGS="$sanitize" >/dev/null
cmake --build "$asan_build" -j"$jobs"
# Leaks are reported except those of the system's own libraries (fontconfig,
# the GL and audio stacks), which Qt loads and keeps for the life of a process.
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$top/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
(cd "$asan_build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

# 2. libFuzzer on every target, on its corpus, for a fixed time each.
section "fuzz targets, ${fuzz_seconds} s each"
cmake -S "$top" -B "$fuzz_build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 -DQUZ_LIBFUZZER=ON -DQUZ_BUILD_BENCH=OFF \
  -DQUZ_WERROR="${QUZ_WERROR:-OFF}" "${launcher[@]}" >/dev/null
targets=$(sed -n '/^set(QUZ_FUZZ_TARGETS/,/)/p' "$top/fuzz/CMakeLists.txt" | grep -o 'fuzz_[a-z_]*')
# shellcheck disable=SC2086
cmake --build "$fuzz_build" -j"$jobs" --target $targets
unset LSAN_OPTIONS
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=0
for target in $targets; do
  corpus=$(mktemp -d)
  # A target without seeds starts from an empty corpus.
  if [ -d "$top/fuzz/corpus/$target" ]; then
    cp "$top/fuzz/corpus/$target"/* "$corpus"/
  fi
  echo "-- $target"
  # New inputs go to a scratch copy; the corpus in the repository stays as
  # committed. A crash leaves its input in the build folder.
  log="$fuzz_build/$target.log"
  status=0
  "$fuzz_build/fuzz/$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -dict="$top/fuzz/quz.dict" -artifact_prefix="$fuzz_build/$target-" \
    -print_final_stats=1 "$corpus" >"$log" 2>&1 || status=$?
  rm -rf "$corpus"
  grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 80 "$log" >&2
    echo "$target failed (exit $status); its log: $log" >&2
    exit 1
  fi
done
section "sanitizers and fuzzing passed"
