#!/usr/bin/env bash
# Runs one fuzz harness for a while over its seed corpus. What it finds goes
# into a work folder of the build, never into the seeds; an input that
# breaks the harness is saved there as crash-*, leak-* or timeout-*.
# Usage: run_fuzzer.sh HARNESS SEEDS WORK SECONDS
set -euo pipefail
harness=$1 seeds=$2 work=$3 seconds=$4
mkdir -p "$work/found"
exec "$harness" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/found" "$seeds"
