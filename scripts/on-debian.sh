#!/usr/bin/env bash
# Runs a command in a clean clone of this repository inside a Debian root of the given
# release, as on a fresh machine of that release: the root has Debian's minimal base with
# git and ca-certificates, so the project's own scripts must install everything else.
#   scripts/on-debian.sh RELEASE COMMAND [ARGS...]     e.g. scripts/on-debian.sh 13 ./test.sh
# The root is made once with debootstrap from Debian's archive and kept outside the clone
# ($ZUBBO_ROOTS, /var/cache/zubbo-roots by default), with the packages and the compiler cache
# the runs put in it. Each run gets a new clone of the committed HEAD in /work/zubbo; what
# the run mounted is unmounted and the clone removed however the command ends. Needs root.
set -euo pipefail
[[ $# -ge 2 ]] || { echo "usage: $0 RELEASE COMMAND [ARGS...]" >&2; exit 2; }
release=$1; shift
case $release in
  12) suite=bookworm ;;
  13) suite=trixie ;;
  *) echo "on-debian: no Debian release $release known (12 or 13)" >&2; exit 2 ;;
esac
[[ $(id -u) -eq 0 ]] || { echo "on-debian: needs root, to make and enter the Debian root" >&2; exit 2; }

repo=$(cd "$(dirname "$0")/.." && pwd)
roots=${ZUBBO_ROOTS:-/var/cache/zubbo-roots}
root=$roots/debian-$release
made=$root/.zubbo-root-made

if [[ ! -e $made ]]; then
  if ! command -v debootstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
  fi
  echo "on-debian: making a Debian $release root in $root ..."
  rm -rf "$root"
  mkdir -p "$roots"
  debootstrap --variant=minbase --include=git,ca-certificates "$suite" "$root" >"$roots/debootstrap-$release.log"
  touch "$made"
fi

mounted=()
clone=$root/work/zubbo
# Ends whatever still runs inside the root, unmounts in reverse order (lazily where a
# mount is still busy) and removes the clone; the clone is removed only once nothing is
# mounted below the root, so that no removal can reach into the host's /dev or /proc.
leave_root() {
  local pid i
  for pid in /proc/[0-9]*; do
    [[ $(readlink "$pid/root" 2>/dev/null) == "$root" ]] && kill -9 "${pid#/proc/}" 2>/dev/null
  done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}"
  done
  if ! grep -q " $root/" /proc/mounts; then rm -rf "$root/work"; fi
}
trap leave_root EXIT
trap 'exit 130' INT TERM
mount_in() { # mount_in TARGET MOUNT-ARGUMENTS...
  local target=$root$1; shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounted+=("$target")
}
mount_in /proc -t proc proc
mount_in /sys -t sysfs sysfs
mount_in /dev --bind /dev
mount_in /dev/pts --bind /dev/pts
mount_in /dev/shm -t tmpfs tmpfs
mount_in /run -t tmpfs tmpfs
mount_in /tmp -t tmpfs tmpfs
cp /etc/resolv.conf "$root/etc/resolv.conf"

rm -rf "$root/work"
git clone --quiet "$repo" "$clone"

# A clean environment as on a fresh login in the C.UTF-8 locale, keeping CI's flag.
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  LANG=C.UTF-8 TERM=${TERM:-dumb} ${CI:+CI=$CI} /bin/bash -c 'cd /work/zubbo && exec "$@"' on-debian "$@"
