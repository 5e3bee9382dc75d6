# Sourced by the scripts that run Win32 programs: fills a fresh WINEPREFIX.
# Windows are left unmanaged by any X window manager, so that Wine draws
# their frames and captions itself (screenshots show them) and does not
# wait, each time a window appears, on a window manager that Xvfb lacks.
prepare_wine_prefix() {
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
}
