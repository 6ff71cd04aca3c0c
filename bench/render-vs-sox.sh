#!/usr/bin/env bash
# Rendering throughput of `zelo render` on a long stereo file, against sox's
# chorus on the same file in the same run, and of `zelo render --out-dir` on two
# copies (one instance per core) against rendering them one after the other.
# Needs sox (apt-get install sox; the test command does not run this script).
# Each figure is the median of three timings.
# Usage: bench/render-vs-sox.sh [zelo binary, default build/release/tools/zelo/zelo] [seconds of audio, default 600]
set -euo pipefail
cd "$(dirname "$0")/.."

zelo="${1:-build/release/tools/zelo/zelo}"
seconds="${2:-600}"
command -v sox >/dev/null || { echo "sox is missing: apt-get install sox" >&2; exit 2; }
[ -x "$zelo" ] || { echo "no zelo binary at $zelo (build the release preset first)" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Plucked notes with a little noise: signal in every frame, so no stage idles.
sox -n -r 44100 -c 2 -b 16 "$work/long.wav" synth "$seconds" pluck A3 synth "$seconds" pinknoise mix vol 0.5
cp "$work/long.wav" "$work/copy1.wav"
cp "$work/long.wav" "$work/copy2.wav"
mkdir -p "$work/parallel"

# Arithmetic on decimal figures (awk, since bc is not always installed).
calc() { awk "BEGIN { print $1 }"; }

# Wall-clock seconds of one command, its output discarded. The previous
# command's written files are flushed first, so their write-back does not
# compete with the command being timed.
elapsed() {
  local start end
  sync
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  calc "$end - $start"
}

# The median of three timings of one command.
median_elapsed() {
  printf '%s\n' "$(elapsed "$@")" "$(elapsed "$@")" "$(elapsed "$@")" | sort -n | sed -n 2p
}

zelo_time=$(median_elapsed "$zelo" render "$work/long.wav" "$work/out.wav")
sox_time=$(median_elapsed sox "$work/long.wav" "$work/out2.wav" chorus 0.7 0.9 55 0.4 0.25 2 -t)
serial_time=$(median_elapsed bash -c "\"$zelo\" render \"$work/copy1.wav\" \"$work/s1.wav\" && \"$zelo\" render \"$work/copy2.wav\" \"$work/s2.wav\"")
parallel_time=$(median_elapsed "$zelo" render "$work/copy1.wav" "$work/copy2.wav" --out-dir "$work/parallel")

[ -s "$work/out.wav" ] && [ -s "$work/parallel/copy1.wav" ] && [ -s "$work/parallel/copy2.wav" ] ||
  { echo "a render produced no output" >&2; exit 1; }

printf '%s s of 44.1 kHz stereo, %s cores\n' "$seconds" "$(nproc)"
printf 'zelo render            %7.2f s  (%6.1f x real time)\n' "$zelo_time" "$(calc "$seconds / $zelo_time")"
printf 'sox chorus             %7.2f s  (%6.1f x real time)\n' "$sox_time" "$(calc "$seconds / $sox_time")"
printf 'zelo / sox throughput  %7.2f\n' "$(calc "$sox_time / $zelo_time")"
printf 'two files, one by one  %7.2f s\n' "$serial_time"
printf 'two files, --out-dir   %7.2f s\n' "$parallel_time"
printf 'parallel speed-up      %7.2f\n' "$(calc "$serial_time / $parallel_time")"
