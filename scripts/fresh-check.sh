#!/usr/bin/env bash
# Runs the README's two commands as a new user would, on a fresh Debian 12 machine:
# makes a minimal root with debootstrap (minbase, bookworm, from Debian's archive),
# copies the working tree into it (the files git knows, without build/), and runs
# there, as root in a chroot, `bash scripts/run.sh` (no display, so the window is
# saved as a screenshot) and then `bash scripts/test.sh`.
#   scripts/fresh-check.sh [--window-only]
# The test command makes the WoW64 bed's root there too, with debootstrap inside the
# chroot (it needs the /proc, /sys and /dev mounted below; the bed mounts and unmounts
# its own inside, and whatever is left below the root is unmounted here on the way out).
# It takes long (a system, the toolchains and every build made from nothing), so it
# is no part of CI; run it after changing the dependencies, the Wine bed or the
# window. Results go to build/fresh-check/: run.log, test.log, window.png.
#   QUORVIN_FRESH_ROOT     where the root is made, anew each time
#                          (default /var/tmp/quorvin-fresh-root)
#   QUORVIN_FRESH_MIRROR   the Debian archive (default http://deb.debian.org/debian)
set -euo pipefail
cd "$(dirname "$0")/.."
tree="$(pwd)"
bash scripts/deps.sh debootstrap

root="${QUORVIN_FRESH_ROOT:-/var/tmp/quorvin-fresh-root}"
mirror="${QUORVIN_FRESH_MIRROR:-http://deb.debian.org/debian}"
out="$tree/build/fresh-check"
mkdir -p "$out"
rm -f "$out"/*.log "$out/window.png"

log() { printf 'fresh-check: %s\n' "$*"; }

# Unmounts whatever is mounted below the root, deepest first.
unmount_all() {
  local mounts
  mounts=$(awk -v r="$root/" 'index($2, r) == 1 {print $2}' /proc/self/mounts | sort -r)
  [[ -z "$mounts" ]] || umount -l $mounts
}
trap unmount_all EXIT

unmount_all
if awk -v r="$root/" 'index($2, r) == 1 {found = 1} END {exit !found}' /proc/self/mounts; then
  log "something is still mounted below $root; not removing it"
  exit 1
fi
rm -rf --one-file-system "$root"
started=$SECONDS
log "making a minimal Debian 12 root in $root from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$out/debootstrap.log" 2>&1 ||
  { tail -20 "$out/debootstrap.log"; log "debootstrap failed"; exit 1; }
log "root made in $((SECONDS - started)) s"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# The working tree as git sees it: tracked and new files, nothing ignored (build/).
mkdir -p "$root/root/quorvin"
git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do [[ -e "$f" ]] && printf '%s\0' "$f"; done |
  tar --null -T - -cf - | tar -xf - -C "$root/root/quorvin"
log "copied $(find "$root/root/quorvin" -type f | wc -l) files of the working tree"

mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"

# One of the README's commands in the root, with a clean environment (no display).
in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /root/quorvin && $1"
}

status=0
step() {
  local name=$1 command=$2 begun=$SECONDS
  log "running '$command' in the root (log: $out/$name.log)"
  if in_root "$command" >"$out/$name.log" 2>&1; then
    log "'$command' passed in $((SECONDS - begun)) s"
  else
    status=1
    tail -30 "$out/$name.log"
    log "'$command' FAILED after $((SECONDS - begun)) s"
  fi
}

step run "bash scripts/run.sh"
if [[ -f "$root/root/quorvin/build/screenshots/window.png" ]]; then
  cp "$root/root/quorvin/build/screenshots/window.png" "$out/window.png"
  log "the window's screenshot: $out/window.png"
else
  status=1
  log "no screenshot was saved"
fi
if [[ "${1:-}" != --window-only ]]; then
  step test "bash scripts/test.sh"
  grep -E '^=== |ALL TESTS PASSED' "$out/test.log" || true
fi

log "done in $((SECONDS - started)) s: $([[ $status == 0 ]] && echo passed || echo FAILED)"
exit "$status"
