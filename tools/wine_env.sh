# Sourced by the Wine scripts: quiet Wine, and the loader that can run here.
# Debian's `wine` wrapper always picks the 32-bit loader when it is installed,
# even on a kernel that cannot run 32-bit processes; 64-bit prefixes then
# need the 64-bit loader named directly.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

can_run_32bit() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

# skip_unless_runnable ARCH: exits 77 (skipped, as ctest is told) where this
# machine cannot run the programs of a prefix of ARCH.
skip_unless_runnable() {
    if [ "$1" = win32 ] && ! can_run_32bit; then
        echo "skipped: this machine's kernel cannot run 32-bit programs, so 32-bit Wine cannot start"
        exit 77
    fi
}

# wine_loader ARCH: the command that runs programs in a prefix of ARCH (win32 or win64).
wine_loader() {
    if [ "$1" = win64 ] && ! can_run_32bit; then
        echo /usr/lib/wine/wine64
    else
        echo wine
    fi
}

# prepare_prefix PREFIX ARCH: a private Windows XP prefix with a CJK font
# standing in for the dialog fonts, made once and kept.
prepare_prefix() {
    local prefix=$1 arch=$2 loader version
    [ -f "$prefix/.veilmark-ready" ] && return 0
    loader=$(wine_loader "$arch")
    version=winxp
    [ "$arch" = win64 ] && version=winxp64
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    echo "Preparing the Wine prefix $prefix ($version)..." >&2
    WINEPREFIX=$prefix WINEARCH=$arch "$loader" wineboot -i >/dev/null 2>&1
    WINEPREFIX=$prefix "$loader" winecfg /v "$version" >/dev/null 2>&1
    local font
    for font in "MS Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma"; do
        WINEPREFIX=$prefix "$loader" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
            /v "$font" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    done
    WINEPREFIX=$prefix wineserver -w
    touch "$prefix/.veilmark-ready"
}
