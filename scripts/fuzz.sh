#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz preset) and runs each build/fuzz/bin/fuzz_* for
# SECONDS (default 30) from its seed corpus fuzz/<target>/corpus. The corpus grows in
# a temporary copy so the tree stays as it is. Prints each target's execution count;
# fails on any crash, sanitizer report, leak or hang, keeping the input that caused
# it in build/fuzz/artifacts/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [SECONDS]" >&2
  exit 2
fi

# The fuzz preset's compiler with its sanitizer and libFuzzer runtimes, and the
# symbolizer that puts file and line into crash reports.
./scripts/install-deps.sh clang-14 libclang-rt-14-dev llvm-14
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

failed=()
ran=0
for binary in build/fuzz/bin/fuzz_*; do
  [ -x "$binary" ] || continue
  ran=$((ran + 1))
  name="${binary##*/}"
  target="${name#fuzz_}"
  corpus="$work/$target"
  mkdir -p "$corpus"
  [ -d "fuzz/$target/corpus" ] && cp -R "fuzz/$target/corpus/." "$corpus/"
  artifacts="build/fuzz/artifacts/$target"
  mkdir -p "$artifacts"
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/")
  [ -f "fuzz/$target/$target.dict" ] && options+=(-dict="fuzz/$target/$target.dict")

  log="$work/$name.log"
  status=0
  "$binary" "${options[@]}" "$corpus" >"$log" 2>&1 || status=$?
  # The final statistics are missing after a crash: the last progress line counts then.
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
  [ -n "$runs" ] || runs="$(grep -o '^#[0-9]*' "$log" | tail -n 1 | tr -d '#')"
  if [ "$status" -eq 0 ]; then
    printf '%-20s %12s executions, no fault\n' "$name" "${runs:-?}"
  else
    printf '%-20s %12s executions, FAILED (exit %d); its report:\n' "$name" "${runs:-?}" "$status"
    grep -v '^#[0-9]' "$log" | tail -n 60
    failed+=("$name")
  fi
done

if [ "$ran" -eq 0 ]; then
  echo "No fuzz target was built in build/fuzz/bin." >&2
  exit 1
fi
if [ ${#failed[@]} -ne 0 ]; then
  echo "Faults found by: ${failed[*]} (inputs in build/fuzz/artifacts/)"
  exit 1
fi
