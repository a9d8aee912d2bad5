# The clean Debian 12 root that CI's stages run in, sourced by .ci/fresh-root and .ci/package-test.
# A minimal root (debootstrap, minbase) is built once per machine and kept as a tarball; new_root
# unpacks a new copy for every run and removes it again when the script ends. Needs root. The Debian
# mirror is the one the host's apt uses. The sourcing script defines stamp() for progress lines.

cache=${VANTRO_ROOT_CACHE:-/var/cache/vantro-root}
tarball=$cache/bookworm-minbase.tar

# The first mirror of a bookworm suite in the host's apt sources (deb822 or one-line format).
host_mirror() {
    local uri=""
    shopt -s nullglob
    local sources=(/etc/apt/sources.list.d/*.sources) lists=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list)
    shopt -u nullglob
    if [ ${#sources[@]} -gt 0 ]; then
        uri=$(awk '/^[[:space:]]*$/ { u = "" }
                   /^URIs:/ { u = $2 }
                   /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == "bookworm" && u != "") { print u; exit } }' \
            "${sources[@]}")
    fi
    if [ -z "$uri" ]; then
        uri=$(awk '$1 == "deb" { i = 2; if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
                                  if ($(i + 1) == "bookworm") { print $i; exit } }' "${lists[@]}" 2>/dev/null || true)
    fi
    [ -n "$uri" ] || { echo "no bookworm mirror in the host's apt sources" >&2; return 1; }
    echo "$uri"
}

prepare_tarball() {
    [ -s "$tarball" ] && return 0
    command -v debootstrap >/dev/null || {
        apt-get update -q
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap
    }
    local mirror dir
    mirror=$(host_mirror)
    mkdir -p "$cache"
    dir=$(mktemp -d /var/tmp/vantro-debootstrap.XXXXXX)
    stamp "debootstrap from $mirror"
    # ccache belongs to this harness, not to what vantro.sh installs: it lets the root reuse the
    # host's compiler cache.
    debootstrap --variant=minbase --include=ccache bookworm "$dir" "$mirror"
    tar -C "$dir" -cf "$tarball.part" .
    mv "$tarball.part" "$tarball"
    rm -rf --one-file-system "$dir"
}

root=""
mounted=()
cleanup_root() {
    local status=$? i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -R "${mounted[i]}" 2>/dev/null || umount -R -l "${mounted[i]}" || true
    done
    # Never delete through a mount that is still there (the host's /dev, the ccache).
    if [ -n "$root" ]; then
        if findmnt -rn -o TARGET | grep -q "^$root/"; then
            echo "mounts remain under $root; left in place" >&2
        else
            rm -rf --one-file-system "$root"
        fi
    fi
    exit "$status"
}

bind() { # <host path> <path in the root> [mount options...]
    local target=$root$2
    mkdir -p "$target"
    mount "${@:3}" "$1" "$target"
    mounted+=("$target")
}

# Unpacks a new copy of the root into $root with /proc, /sys and /dev mounted; downloaded packages
# are kept between runs (the root itself stays fresh). Removed when the script ends.
new_root() {
    prepare_tarball
    root=$(mktemp -d /var/tmp/vantro-root.XXXXXX)
    trap cleanup_root EXIT
    trap 'exit 130' INT TERM
    stamp "unpack the root"
    tar -C "$root" -xf "$tarball"
    # Its / must be open to the root's users, not only to root as mktemp made the folder it was
    # built in (the tarball keeps that mode).
    chmod 755 "$root"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    bind proc /proc -t proc
    bind sysfs /sys -t sysfs
    bind /dev /dev --rbind --make-rslave
    mkdir -p "$cache/apt-archives"
    bind "$cache/apt-archives" /var/cache/apt/archives --bind
}

# The environment of commands in the root; a script may add to it before calling in_root.
root_env=(HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8
    QT_QPA_PLATFORM=offscreen)
in_root() {
    chroot "$root" /usr/bin/env -i "${root_env[@]}" "$@"
}
