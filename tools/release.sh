#!/usr/bin/env bash
# Makes the release from the checkout it stands in, into dist/ (or the
# folder VEILMARK_DIST names):
#   Veilmark-VERSION-windows.zip          the i686 veilmark.exe, the help files
#                                         of every language, README.txt and
#                                         SHA256SUMS of them
#   veilmark-offline_VERSION_amd64.deb    the offline program and its manual page
#   SHA256SUMS                            of the two
# The same commit gives the same bytes wherever and whenever it is built:
# every time stamp is the commit's (SOURCE_DATE_EPOCH), no build folder is
# named in a file, files go into the archives in a fixed order.
# Usage: tools/release.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup.sh
version=$(sed -n 's/^#define VEILMARK_VERSION_\(MAJOR\|MINOR\|PATCH\) \([0-9]*\)$/\2/p' res/version.h | paste -sd.)
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export TZ=UTC LC_ALL=C.UTF-8
umask 022
dist=${VEILMARK_DIST:-$root/dist}
build=$root/build/release
rm -rf "$build" "$dist"
mkdir -p "$build" "$dist"

# The build folder is named in no file; the PE header carries no time.
prefix_map="-ffile-prefix-map=$root=."
cmake -S . -B "$build/win32" -G Ninja --toolchain "$root/cmake/mingw-i686-win32.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS="$prefix_map" \
    -DCMAKE_EXE_LINKER_FLAGS="-Wl,--no-insert-timestamp" >/dev/null
cmake --build "$build/win32" --target veilmark help_file
cmake -S . -B "$build/linux" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS="$prefix_map" >/dev/null
cmake --build "$build/linux" --target veilmark-offline

# The Windows download.
windows=$build/Veilmark-$version
mkdir -p "$windows"
# The help file of every language (lang/languages.inc), as the build made them.
cp "$build/win32/veilmark.exe" "$build/win32/"*.chm "$windows/"
# README.txt as Notepad on Windows XP reads UTF-8: a byte-order mark, CR LF.
{ printf '\xEF\xBB\xBF'; sed "s/@VERSION@/$version/; s/\$/\r/" release/README.txt; } >"$windows/README.txt"
(cd "$windows" && sha256sum veilmark.exe $(LC_ALL=C ls *.chm) README.txt >SHA256SUMS)
python3 - "$windows" "$dist/Veilmark-$version-windows.zip" <<'PYTHON'
import os, sys, time, zipfile
folder, archive = sys.argv[1], sys.argv[2]
stamp = time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"]))[:6]
top = os.path.basename(folder)
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as zip:
    for name in sorted(os.listdir(folder)):
        entry = zipfile.ZipInfo(f"{top}/{name}", date_time=max(stamp, (1980, 1, 1, 0, 0, 0)))
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.external_attr = 0o644 << 16
        entry.create_system = 3
        with open(os.path.join(folder, name), "rb") as file:
            zip.writestr(entry, file.read())
PYTHON

# The offline program's package.
package=$build/veilmark-offline_${version}_amd64
install -D -m 755 "$build/linux/veilmark-offline" "$package/usr/bin/veilmark-offline"
strip --strip-all "$package/usr/bin/veilmark-offline"
mkdir -p "$package/usr/share/man/man1" "$package/DEBIAN"
sed "s/@VERSION@/$version/" release/veilmark-offline.1 | gzip -9n >"$package/usr/share/man/man1/veilmark-offline.1.gz"
size=$(du -sk --apparent-size "$package/usr" | cut -f1)
cat >"$package/DEBIAN/control" <<CONTROL
Package: veilmark-offline
Version: $version
Architecture: amd64
Maintainer: Veilmark developers <veilmark@localhost>
Installed-Size: $size
Depends: libc6 (>= 2.34), libgcc-s1 (>= 3.0), libguestfs0 (>= 1:1.48), libhivex0 (>= 1.3.23), libstdc++6 (>= 12)
Recommends: linux-image-amd64
Section: admin
Priority: optional
Description: switch off Windows XP's reporting features in an installation that is not running
 veilmark-offline runs the passes of Veilmark's veilmark.exe on the registry
 hive files of a Windows XP installation that is not running (a mounted
 partition, a copied disk, a virtual machine's disk image): status, apply,
 restore and revert, with a backup per profile before the first change.
 .
 With --image it works inside virtual machines' disk images (raw, qcow2,
 vmdk, vdi, vhd) through libguestfs, without mounting them: all images of a
 run in one libguestfs appliance, a small Linux run under qemu. The appliance
 needs a Linux kernel in /boot (linux-image-amd64); without KVM it runs in
 software (LIBGUESTFS_BACKEND=direct), seconds to a minute a launch.
CONTROL
find "$package" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group -Zxz --threads-max=1 --build "$package" "$dist/" >/dev/null

(cd "$dist" && sha256sum Veilmark-"$version"-windows.zip veilmark-offline_"$version"_amd64.deb >SHA256SUMS)
echo "Release $version in $dist:"
(cd "$dist" && cat SHA256SUMS)
