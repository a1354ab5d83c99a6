#!/usr/bin/env bash
# Runs every harness in BIN_DIR for SECONDS each, on a working copy of its seed corpus, and prints
# executions, executions per second and findings per harness. Exits non-zero on any finding.
# Usage: tests/fuzz/run.sh BIN_DIR SECONDS
set -u
bin=${1:?bin dir}
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(cd "$bin/.." && pwd)/fuzz-work
mkdir -p "$work"

# Extra seed folders per harness, besides tests/fuzz/corpus/<harness>.
extra_seeds() {
  case "$1" in
    fuzz_language) echo "$root/lang" ;;
  esac
}
max_len() {
  case "$1" in
    fuzz_link) echo 8192 ;;
    *) echo 65536 ;;
  esac
}

status=0
summary=()
for harness in fuzz_channel_file fuzz_config fuzz_language fuzz_link fuzz_chirp_csv; do
  exe="$bin/$harness"
  [ -x "$exe" ] || { echo "missing $exe" >&2; status=1; continue; }
  corpus="$work/corpus/$harness"
  artifacts="$work/artifacts/$harness/"
  mkdir -p "$corpus" "$artifacts"
  log="$work/$harness.log"
  # shellcheck disable=SC2046
  "$exe" -max_total_time="$seconds" -max_len="$(max_len "$harness")" -timeout=10 -rss_limit_mb=1024 \
         -print_final_stats=1 -artifact_prefix="$artifacts" \
         "$corpus" "$here/corpus/$harness" $(extra_seeds "$harness") >"$log" 2>&1
  rc=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  found=$(find "$artifacts" -type f | wc -l)
  line=$(printf '%-18s executions %-9s exec/s %-7s findings %s' "$harness" "${execs:-?}" "${speed:-?}" "$found")
  summary+=("$line")
  if [ "$rc" -ne 0 ] || [ "$found" -ne 0 ]; then
    status=1
    echo "== $harness failed (exit $rc); log $log, inputs in $artifacts" >&2
    grep -m5 -E 'ERROR|SUMMARY|deadly|abort' "$log" >&2 || true
  fi
done
printf '%s\n' "${summary[@]}"
exit $status
