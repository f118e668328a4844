#!/usr/bin/env bash
# Runs each fuzz target for a fixed number of inputs, starting from the seed corpus under
# tests/fuzz/corpus/<target>. New inputs the fuzzer keeps go to <build>/corpus/<target>, so the
# committed seeds stay as they are. Needs an X server (textures need a GL context).
# Usage: tools/fuzz.sh <build dir> <runs> <target>...
# A failing input is saved under <build>/artifacts/<target>/; replay it under Xvfb with
#   ALSOFT_DRIVERS=null <build>/tests/fuzz/<target> -close_fd_mask=2 /absolute/path/to/crash-...
# (an absolute path, since the target changes its working directory first).
set -euo pipefail
cd "$(dirname "$0")/.."

# Absolute paths: each target works in a scratch folder of its own.
build=$(realpath "$1")
seeds=$(pwd)/tests/fuzz
runs=$2
shift 2

# No sound card here: OpenAL's null backend lets sound buffers and players be created.
export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}

for target in "$@"; do
    work="$build/corpus/$target"
    artifacts="$build/artifacts/$target/"
    mkdir -p "$work" "$artifacts"
    echo "== $target: $runs runs"
    # -close_fd_mask=2: the targets capture file descriptor 2 around each call, so libFuzzer
    # and the sanitizers report on a copy of the original standard error instead.
    "$build/tests/fuzz/$target" -runs="$runs" -max_len=512 -len_control=0 -timeout=60 -rss_limit_mb=4096 \
        -close_fd_mask=2 -print_final_stats=1 -dict="$seeds/manifest.dict" \
        -artifact_prefix="$artifacts" "$work" "$seeds/corpus/$target" </dev/null
done
