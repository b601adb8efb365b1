#!/usr/bin/env bash
# Installs what building and testing Veilmark needs on a Debian 12 machine.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ libgtest-dev libgmock-dev googletest libbenchmark-dev
    g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix
    g++-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-posix
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 mingw-w64-tools
    wine wine64 wine32:i386
    xvfb xauth x11-utils xdotool imagemagick fonts-wqy-microhei fonts-wine python3
    fp-utils locales
    clang libclang-rt-14-dev
    pkg-config libhivex-dev chntpw libwin-hivex-perl
    strace
    # veilmark-offline on disk images: libguestfs, its appliance's kernel
    # and the tools the tests make and measure images with.
    libguestfs-dev libguestfs0 libguestfs-tools linux-image-amd64 qemu-utils ntfs-3g
)

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done
# Where the 32-bit packages could not be installed lately, they are not
# tried again for a few hours (see below).
no_i386=${TMPDIR:-/tmp}/veilmark-setup-no-i386
if [ -n "$(find "$no_i386" -mmin -360 2>/dev/null)" ]; then
    kept=()
    for package in "${missing[@]}"; do
        [[ $package == *:i386 ]] || kept+=("$package")
    done
    missing=("${kept[@]}")
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}" >&2
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        sudo_if_needed dpkg --add-architecture i386
    fi
    install() {
        sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@"
    }
    # A mirror in the middle of a sync fails an index now and then: try the
    # update twice, then install from the indexes there are.
    sudo_if_needed apt-get update -q || { sleep 20; sudo_if_needed apt-get update -q; } \
        || echo "apt-get update reported errors; installing from the indexes it has" >&2
    if ! install "${missing[@]}"; then
        # Without the i386 index of a security update, the 32-bit Wine's
        # libraries cannot match their 64-bit twins. The 64-bit Wine carries
        # the Windows tests then, as on a kernel that cannot run 32-bit
        # programs; the 32-bit ones report themselves skipped.
        native=()
        for package in "${missing[@]}"; do
            [[ $package == *:i386 ]] || native+=("$package")
        done
        echo "warning: the 32-bit packages cannot be installed now; installing the others" >&2
        install "${native[@]}"
        touch "$no_i386"
    fi
fi

# The end-to-end tests run Wine in the locale of each language of
# lang/languages.inc: Traditional Chinese (code page 950, as the users'
# systems are), German, English.
here=$(cd "$(dirname "$0")" && pwd)
for locale in $(sed -n 's/^LANGUAGE_ROW(.*"\([a-z][a-z]_[A-Z][A-Z]\)")$/\1/p' "$here/../lang/languages.inc"); do
    if ! locale -a 2>/dev/null | grep -qix "$locale.utf8"; then
        echo "Generating the $locale.UTF-8 locale" >&2
        sudo_if_needed sed -i "s/^# *\($locale.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$locale.UTF-8 UTF-8" /etc/locale.gen || echo "$locale.UTF-8 UTF-8" | sudo_if_needed tee -a /etc/locale.gen >/dev/null
        sudo_if_needed locale-gen >/dev/null
    fi
done
