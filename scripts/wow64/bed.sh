#!/usr/bin/env bash
# The WoW64 bed: a Debian 13 root with Debian unstable's Wine 10 (and the libraries
# of unstable it needs, the C library among them), which is built in
# the "new WoW64" mode (32-bit Windows code inside a 64-bit process, so no 32-bit
# Linux support is needed), Xvfb and the X tools the Wine scripts use.
#   scripts/wow64/bed.sh make               makes the root unless a complete one exists
#   scripts/wow64/bed.sh run COMMAND...     makes it if needed, then runs COMMAND in it
#                                           (bash -c), as root, in this working tree,
#                                           which appears in the root at its own path
#   scripts/wow64/bed.sh versions           the Debian versions of the root's Wine
#
# The root is kept in build/wow64/root (QUORVIN_WOW64_ROOT) and reused while its
# recipe (the packages, and the number below) is unchanged. It is made in a folder
# beside it and renamed only when complete, so a run that stopped half-way leaves
# nothing that looks usable.
# Whatever is mounted in the root is unmounted on every way out. When the root cannot
# be made, one line says what failed (the details are in build/wow64/make.log).
#   QUORVIN_WOW64_MIRROR   the Debian archive (default http://deb.debian.org/debian)
set -euo pipefail
cd "$(dirname "$0")/../.."
tree="$(pwd)"

root="${QUORVIN_WOW64_ROOT:-$tree/build/wow64/root}"
mirror="${QUORVIN_WOW64_MIRROR:-http://deb.debian.org/debian}"
work="$(dirname "$root")"
log_file="$work/make.log"
# Unstable's Wine; the rest comes from trixie.
wine_packages=(wine wine64 libwine fonts-wine)
base_packages=(xvfb x11-utils xdotool imagemagick ca-certificates)
# What the root is made of; a root made by another recipe is made anew. Raise the
# number when make_root changes what it makes.
recipe="2 trixie sid ${wine_packages[*]} / ${base_packages[*]}"

# A signal ends the script through its EXIT trap, which undoes the mounts.
trap 'exit 130' INT TERM HUP

say() { printf 'wow64 bed: %s\n' "$*" >&2; }
fail() {
  say "$*"
  exit 1
}

# Unmounts everything mounted below a folder, deepest first.
unmount_below() {
  local dir=$1 mounts
  mounts=$(awk -v r="$dir/" 'index($2, r) == 1 {print $2}' /proc/self/mounts | sort -r)
  [[ -z "$mounts" ]] || umount -l $mounts
}

mounted_below() {
  awk -v r="$1/" 'index($2, r) == 1 {found = 1} END {exit !found}' /proc/self/mounts
}

# Removes a root, never across a mount point into what is mounted there.
remove_root() {
  local dir=$1
  [[ -e "$dir" ]] || return 0
  unmount_below "$dir"
  mounted_below "$dir" && fail "something is still mounted below $dir; not removing it"
  rm -rf --one-file-system "$dir"
}

complete() { [[ -f "$root/.quorvin-bed" && "$(cat "$root/.quorvin-bed")" == "$recipe" ]]; }

# A command in a root being made, with /proc, /sys and /dev mounted for it.
in_new_root() {
  local new=$1
  shift
  chroot "$new" /usr/bin/env -i HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive \
    PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

mount_system() {
  local dir=$1
  mount -t proc proc "$dir/proc"
  mount -t sysfs sys "$dir/sys"
  mount --rbind /dev "$dir/dev"
  mount --make-rslave "$dir/dev"
}

make_root() {
  complete && return 0
  mkdir -p "$work"
  bash scripts/deps.sh debootstrap >/dev/null || fail "debootstrap could not be installed on this machine"
  local new="$root.new" started=$SECONDS
  trap 'unmount_below "$new"' EXIT
  remove_root "$new"
  : >"$log_file"
  say "making the root in $root (log: $log_file)"
  debootstrap --variant=minbase trixie "$new" "$mirror" >>"$log_file" 2>&1 ||
    fail "debootstrap of Debian 13 (trixie) from $mirror failed (see $log_file)"
  say "Debian 13 made in $((SECONDS - started)) s"
  cp /etc/resolv.conf "$new/etc/resolv.conf"
  # Unstable only for what is named from it; its Release file may be past its
  # Valid-Until date in the archive reached here, so that check is off for it alone.
  cat >"$new/etc/apt/sources.list" <<EOF
deb $mirror trixie main
deb [check-valid-until=no] $mirror sid main
EOF
  printf 'APT::Default-Release "trixie";\n' >"$new/etc/apt/apt.conf.d/50quorvin-release"
  printf 'APT::Install-Recommends "false";\n' >"$new/etc/apt/apt.conf.d/50quorvin-norecommends"
  mount_system "$new"
  in_new_root "$new" apt-get update >>"$log_file" 2>&1 ||
    fail "apt-get update in the root failed (trixie and sid from $mirror; see $log_file)"
  local missing=() p offered
  for p in "${wine_packages[@]}"; do
    offered=$(in_new_root "$new" apt-cache madison "$p" 2>/dev/null || true)
    grep -q ' sid/' <<<"$offered" || missing+=("$p")
  done
  ((${#missing[@]} == 0)) || fail "unstable (sid) has no ${missing[*]} at $mirror: the WoW64 bed cannot be made"
  in_new_root "$new" apt-get install -y -q "${base_packages[@]}" >>"$log_file" 2>&1 ||
    fail "installing ${base_packages[*]} from trixie failed (see $log_file)"
  # From unstable with what they need from there (its libraries, and with them its
  # C library): Wine 10 is built against unstable's libraries, not trixie's.
  in_new_root "$new" apt-get install -y -q -t sid "${wine_packages[@]}" >>"$log_file" 2>&1 ||
    fail "installing ${wine_packages[*]} from unstable failed (see $log_file)"
  in_new_root "$new" apt-get clean
  # The new WoW64 mode: 32-bit PE modules and the wow64 layer in the 64-bit Wine.
  local lib="$new/usr/lib/x86_64-linux-gnu/wine"
  [[ -f "$lib/x86_64-windows/wow64.dll" && -d "$lib/i386-windows" ]] ||
    fail "unstable's Wine ($(bed_versions "$new" | tr '\n' ' ')) is not built in the new WoW64 mode"
  unmount_below "$new"
  trap - EXIT
  printf '%s\n' "$recipe" >"$new/.quorvin-bed"
  remove_root "$root"
  mv "$new" "$root"
  say "root made in $((SECONDS - started)) s: $(bed_versions "$root" | tr '\n' ' ')"
}

bed_versions() {
  chroot "$1" dpkg-query -W -f='${Package} ${Version}\n' "${wine_packages[@]}" 2>/dev/null
}

# Runs a command in the root, the working tree bind-mounted at its own path.
run_in_root() {
  make_root
  trap 'unmount_below "$root"' EXIT
  unmount_below "$root"
  mount_system "$root"
  mkdir -p "$root$tree"
  mount --bind "$tree" "$root$tree"
  local status=0 child
  # Waited for in the background, so that a signal is acted on at once: the command
  # is ended and the mounts undone without waiting for it.
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/sbin:/usr/bin:/sbin:/bin QUORVIN_WOW64=1 \
    ${QUORVIN_WINE_TIMEOUT:+QUORVIN_WINE_TIMEOUT=$QUORVIN_WINE_TIMEOUT} \
    bash -c "cd '$tree' && $*" &
  child=$!
  trap 'kill -TERM "$child" 2>/dev/null; unmount_below "$root"' EXIT
  wait "$child" || status=$?
  unmount_below "$root"
  trap - EXIT
  return "$status"
}

case "${1:-}" in
  make) make_root ;;
  run)
    shift
    (($#)) || fail "usage: bed.sh run COMMAND..."
    run_in_root "$@"
    ;;
  versions)
    complete || fail "no complete root in $root"
    bed_versions "$root"
    ;;
  *) fail "usage: bed.sh make | run COMMAND... | versions" ;;
esac
