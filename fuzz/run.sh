#!/usr/bin/env bash
# Fuzzes each target for a bounded time, starting from the committed seed
# corpus. Exits non-zero on any finding (crash, sanitizer report, hang, leak);
# the input that caused it is left in $BUILD/fuzz-artifacts/.
#
#   fuzz/run.sh BUILD_DIR SECONDS_PER_TARGET [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:?build folder}
seconds=${2:?seconds per target}
shift 2
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(reader run)

status=0
for t in "${targets[@]}"; do
  work="$build/fuzz-corpus/$t"       # new units found while fuzzing stay out of the project
  artifacts="$build/fuzz-artifacts/$t/"
  mkdir -p "$work" "$artifacts"
  echo "== fuzzing $t for ${seconds}s"
  # -timeout: one unit taking longer than this is a hang (a whole example run
  # takes well under a second even with the sanitizers).
  if ! "$build/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
       -print_final_stats=1 -artifact_prefix="$artifacts" -dict=fuzz/"$t".dict \
       "$work" "fuzz/corpus/$t" </dev/null; then
    echo "== fuzz target $t: FINDING, see $artifacts" >&2
    ls -l "$artifacts" >&2 || true
    status=1
  fi
done
exit $status
