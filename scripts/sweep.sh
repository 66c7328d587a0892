#!/usr/bin/env bash
# The shipped-size sweep: runs a build's boltgen over every shipped size,
# pitch, segment count and option, headless, and compares each output (the
# exit status, standard output, and the SHA-256 of every written file) with
# tests/sweep/manifest.tsv. A script's date line is the one thing a run may
# change, so its value is normalised before hashing; its form is not.
#
#   sweep.sh check  BOLTGEN [SIZE_TABLE]          prints each difference; status 1 on any
#   sweep.sh update BOLTGEN "REASON" [SIZE_TABLE] rewrites the manifest, adds a CHANGES line
#   sweep.sh cases                                the argument lists, one case a line
#
# A changed manifest must carry its reason: the last line of
# tests/sweep/CHANGES names the manifest's SHA-256, and `check` fails when it
# does not, so a manifest edited by hand or regenerated without a reason is
# caught by the same test that compares the bytes.
set -euo pipefail
export LC_ALL=C
root=$(cd "$(dirname "$0")/.." && pwd)
manifest=$root/tests/sweep/manifest.tsv
changes=$root/tests/sweep/CHANGES

# Written files whose bytes are not reproducible: none now (3MF packages take
# their identifiers from their content). A file type listed here is recorded
# by name only (so a missing or extra file still fails), with this in place
# of the digest.
unhashed_extensions=()
unhashed_mark=not-hashed

# A length each size can be made at: the shipped table lists the 14 inch
# sizes first, then the metric ones, for which 3 (mm) is too short.
length_for() { if (($1 < 14)); then echo 3; else echo 80; fi; }

cases() {
  local d p s t l
  # Every size, shipped pitch, segment count and thread choice, with nuts and
  # block commands; a pitch index that names no entry, once per size.
  for d in $(seq 0 23); do
    l=$(length_for "$d")
    for p in 0 1; do for s in 0 1 2 3 4 5; do for t in 0 1; do
      echo "/D:$d /P:$p /L:$l /S:$s /T:$t /N:1 /B:1 /G:1"
    done; done; done
    echo "/D:$d /P:2 /L:$l /S:1 /T:0 /G:1"
  done
  # Lengths across each size's thread-length rules (too short included), the
  # head options off.
  for d in $(seq 0 23); do for l in 0.5 1 2.25 4 7.5 40 60 100 150; do
    echo "/D:$d /P:1 /L:$l /S:1 /T:0 /W:0 /R:0 /G:1"
    echo "/D:$d /P:0 /L:$l /S:2 /T:0 /A:0 /G:1"
  done; done
  # Part files: STL, DXF and 3MF of every part of every size.
  for d in $(seq 0 23); do
    echo "/D:$d /P:1 /L:$(length_for "$d") /S:1 /T:0 /N:1 /M:1 /E:1 /X:1 /G:1"
  done
  for d in 0 7 13 14 17 23; do
    echo "/D:$d /P:0 /L:80 /S:0 /T:0 /N:1 /B:1 /M:1 /E:1 /G:1"
    echo "/D:$d /P:0 /L:$(length_for "$d") /S:5 /T:1 /W:0 /N:1 /M:1 /E:1 /G:1"
  done
  # Threaded nuts at the fit of their size and at a printing clearance, every
  # output, in both units.
  for d in 0 7 13 14 17 23; do
    echo "/D:$d /P:1 /L:$(length_for "$d") /S:1 /T:0 /I:1 /M:1 /E:1 /X:1 /G:1"
    echo "/D:$d /P:0 /L:$(length_for "$d") /S:0 /T:0 /I:1 /C:0.2 /B:1 /G:1"
  done
  # Refusals, a chosen name, no /G:1, the help.
  echo "/D:99 /G:1"; echo "/D:7 /P:9 /G:1"; echo "/D:7 /L:abc /G:1"; echo "/D:7 /F:named /G:1"
  echo "/D:7 /S:6 /G:1"; echo "/D:7"; echo "?"; echo "--help"
}

is_unhashed() {
  local ext
  for ext in "${unhashed_extensions[@]}"; do [[ $1 == *.$ext ]] && return 0; done
  return 1
}

# Runs every case of shard SHARD (of JOBS) in a folder holding only the size
# table and prints the manifest's lines, each after its case's number:
# ARGUMENTS <tab> OUTPUT <tab> VALUE, where OUTPUT is <status> (VALUE the exit
# status), <stdout> (its SHA-256) or a written file's name. Forks are few: the
# sweep must stay quick on a small machine.
run_shard() {
  local boltgen=$1 table=$2 shard=$3 jobs=$4 work line words status f n=0 digest name
  work=$(mktemp -d)
  # Stopped (a timeout, Ctrl-C), a shard leaves no folder behind.
  trap 'cd / && rm -rf "$work"; exit 143' TERM INT
  mkdir "$work/run"
  cp "$table" "$work/run/boltgen.ini"
  cd "$work/run"
  unset DISPLAY WAYLAND_DISPLAY
  # A temporary left behind is an output too.
  shopt -s dotglob nullglob
  while IFS= read -r line; do
    n=$((n + 1))
    ((n % jobs == shard)) || continue
    status=0
    read -r -a words <<<"$line"  # split at blanks, no wildcards: "?" is a case
    "$boltgen" "${words[@]}" >"$work/stdout" 2>/dev/null || status=$?
    printf '%s\t%s\t<status>\t%s\n' "$n" "$line" "$status"
    local hashed=() scripts=()
    for f in *; do
      [[ $f == boltgen.ini ]] && continue
      if is_unhashed "$f"; then
        printf '%s\t%s\t%s\t%s\n' "$n" "$line" "$f" "$unhashed_mark"
      else
        hashed+=("$f")
        [[ $f == *.scr ]] && scripts+=("$f")
      fi
    done
    ((${#scripts[@]} == 0)) ||
      sed -i -E 's/^; Date: [0-9]{2} [A-Z][a-z]{2} [0-9]{4}(\r?)$/; Date: DD MMM YYYY\1/' "${scripts[@]}"
    sha256sum "$work/stdout" "${hashed[@]}" >"$work/sums"
    while read -r digest name; do
      [[ $name == "$work/stdout" ]] && name='<stdout>'
      printf '%s\t%s\t%s\t%s\n' "$n" "$line" "$name" "$digest"
    done <"$work/sums"
    find . -mindepth 1 ! -name boltgen.ini -delete
  done < <(cases)
  cd / && rm -rf "$work"
}

# All shards at once, their lines back in the cases' order.
run_cases() {
  local jobs=${BOLTGEN_SWEEP_JOBS:-2} shard out pids=() pid
  out=$(mktemp -d)
  trap 'kill "${pids[@]}" 2>/dev/null; wait; rm -rf "$out"; exit 143' TERM INT
  for ((shard = 0; shard < jobs; shard++)); do
    run_shard "$1" "$2" "$shard" "$jobs" >"$out/$shard" &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do
    wait "$pid" || { echo "sweep: a shard of the cases failed to run" >&2; return 1; }
  done
  sort -t $'\t' -k1,1n -s "$out"/* | cut -f2-
  rm -rf "$out"
}

header() {
  echo "# boltgen shipped-size sweep: ARGUMENTS<tab>OUTPUT<tab>VALUE, OUTPUT being <status>,"
  echo "# <stdout> (SHA-256) or a written file (SHA-256 of its bytes, a script's date normalised)."
  echo "# Regenerate with scripts/sweep.sh update BOLTGEN \"REASON\"; never edit by hand."
}

# Prints one line per difference between the manifest and this run's lines.
compare() {
  awk -F'\t' '
    FNR == NR { if ($0 !~ /^#/) { want[$1 "\t" $2] = $3; order[++n] = $1 "\t" $2 }; next }
    { key = $1 "\t" $2; got[key] = $3
      if (!(key in want)) { print "unexpected: " $1 " -> " $2 " (" $3 ")"; bad++ }
      else if (want[key] != $3) { print "changed: " $1 " -> " $2 ": expected " want[key] ", got " $3; bad++ } }
    END { for (i = 1; i <= n; i++) if (!(order[i] in got)) {
            split(order[i], k, "\t"); print "missing: " k[1] " -> " k[2]; bad++ }
          exit bad > 0 }' "$1" "$2"
}

digest_of() { sha256sum <"$1" | cut -d' ' -f1; }

check_reason() {
  local want last
  want=$(digest_of "$manifest")
  last=$( (grep -v '^#' "$changes" || true) | tail -n 1 | cut -d' ' -f1)
  if [[ $last != "$want" ]]; then
    echo "sweep: tests/sweep/manifest.tsv (SHA-256 $want) has no reason: the last line of" \
         "tests/sweep/CHANGES names ${last:-nothing}; update it with scripts/sweep.sh update" >&2
    return 1
  fi
}

usage() { sed -n '8,10p' "$0" | sed 's/^# *//' >&2; exit 2; }

command=${1:-}
case $command in
  cases) cases ;;
  check)
    [[ $# -ge 2 ]] || usage
    boltgen=$(realpath "$2"); table=$(realpath "${3:-$root/data/boltgen.ini}")
    started=$SECONDS
    actual=$(mktemp)
    trap 'rm -f "$actual"' EXIT
    run_cases "$boltgen" "$table" >"$actual"
    status=0
    compare "$manifest" "$actual" || status=1
    check_reason || status=1
    n=$(cases | wc -l); outputs=$(wc -l <"$actual")
    if ((status == 0)); then
      echo "sweep: $n cases, $outputs outputs as in the manifest ($((SECONDS - started))s)"
    else
      echo "sweep: $n cases: outputs differ from tests/sweep/manifest.tsv (above)"
    fi
    exit "$status" ;;
  update)
    [[ $# -ge 3 && -n ${3// /} ]] || usage
    boltgen=$(realpath "$2"); reason=$3; table=$(realpath "${4:-$root/data/boltgen.ini}")
    [[ $reason != *$'\n'* ]] || { echo "sweep: the reason must be one line" >&2; exit 2; }
    fresh=$(mktemp)
    trap 'rm -f "$fresh"' EXIT
    { header; run_cases "$boltgen" "$table"; } >"$fresh"
    cat "$fresh" >"$manifest"
    printf '%s %s %s\n' "$(digest_of "$manifest")" "$(date -u +%Y-%m-%d)" "$reason" >>"$changes"
    echo "sweep: wrote tests/sweep/manifest.tsv ($(grep -vc '^#' "$manifest") outputs) and its line in tests/sweep/CHANGES" ;;
  *) usage ;;
esac
