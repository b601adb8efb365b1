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

# Wine draws the caption buttons (the close box's cross) with the Marlett
# font. Debian ships Wine's copy in fonts-wine, where Wine 8 does not look
# for it; in the prefix's own font folder it is found.
install_marlett() {  # PREFIX
    local fonts=$1/drive_c/windows/Fonts source=/usr/share/wine/fonts/marlett.ttf
    [ -f "$fonts/marlett.ttf" ] && return 0
    if [ ! -f "$source" ]; then
        echo "warning: $source is missing (package fonts-wine): caption buttons will show as letters" >&2
        return 0
    fi
    mkdir -p "$fonts" && cp "$source" "$fonts/marlett.ttf"
}

# Whether a prefix's first boot made its registry and system folder.
prefix_booted() {  # PREFIX
    [ -s "$1/system.reg" ] && [ -s "$1/user.reg" ] && [ -d "$1/drive_c/windows/system32" ]
}

# prepare_prefix PREFIX ARCH [unmanaged]: a private Windows XP prefix with a
# CJK font standing in for the dialog fonts and Wine's Marlett font, made
# once and kept. With "unmanaged", for the tests' X server where no window
# manager runs: Wine then draws the windows' captions and frames itself, and
# hides windows without waiting for a manager that is not there.
# A prefix takes its locale from the environment each time a program
# starts, not from where it was made: the first prefix of a kind in a
# folder is made afresh and kept as that folder's template, and the others
# are copies of it, which takes a second instead of a first boot's fifteen.
prepare_prefix() {
    local prefix=$1 arch=$2 unmanaged=${3:-}
    if [ -f "$prefix/.veilmark-ready" ]; then
        install_marlett "$prefix"
        return 0
    fi
    local template
    template=$(dirname "$prefix")/.wine-template-$arch${unmanaged:+-$unmanaged}
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        [ -f "$template/.veilmark-ready" ] || make_prefix "$template" "$arch" "$unmanaged"
    ) 9>"$template.lock"
    rm -rf "$prefix"
    cp -a "$template" "$prefix"
}

# make_prefix PREFIX ARCH [unmanaged]: the prefix of prepare_prefix, made afresh.
make_prefix() {
    local prefix=$1 arch=$2 unmanaged=${3:-} loader version
    loader=$(wine_loader "$arch")
    version=winxp
    [ "$arch" = win64 ] && version=winxp64
    echo "Preparing the Wine prefix $prefix ($version)..." >&2
    # A first boot that is cut short (seen once on a loaded machine) leaves a
    # prefix in which no program starts: it is made afresh once more.
    local attempt
    for attempt in 1 2; do
        rm -rf "$prefix"
        mkdir -p "$(dirname "$prefix")"
        WINEPREFIX=$prefix WINEARCH=$arch "$loader" wineboot -i >"$prefix.boot.log" 2>&1
        WINEPREFIX=$prefix wineserver -w
        prefix_booted "$prefix" && break
        echo "The first boot of $prefix did not finish (attempt $attempt); its output:" >&2
        cat "$prefix.boot.log" >&2
    done
    rm -f "$prefix.boot.log"
    WINEPREFIX=$prefix "$loader" winecfg /v "$version" >/dev/null 2>&1
    local font
    for font in "MS Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma"; do
        WINEPREFIX=$prefix "$loader" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
            /v "$font" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    done
    if [ "$unmanaged" = unmanaged ]; then
        WINEPREFIX=$prefix "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
            >/dev/null 2>&1
    fi
    WINEPREFIX=$prefix wineserver -w
    install_marlett "$prefix"
    touch "$prefix/.veilmark-ready"
}
