# The environment of the tests under Wine, in one place. Sourced by the
# scripts of tools/wine/; read by CTest (cmake/test-environment.cmake) and by the
# end-to-end harness, and so by the demo and the benchmark
# (e2e/harness/environment.py). So that all of them read it alike, it holds
# only comments, blank lines and lines NAME='value': no expansion, no quote
# inside a value.

# Wine: a 64-bit prefix runs the 32-bit programs under WoW64; no debug output.
WINEARCH='win64'
# Wine's two loaders (Debian's wine32 and wine64). Every Wine command of the
# tests names the loader of the programs it runs, through WINELOADER: Debian's
# wine wrapper picks the 32-bit one whenever it is installed, whether or not
# this machine can execute it. Which one a machine can run: tools/wine/arch.sh.
KELVARION_WINE_LOADER_32='/usr/lib/wine/wine'
KELVARION_WINE_LOADER_64='/usr/lib/wine/wine64'
WINEDEBUG='-all'
# Neither Wine Mono nor Gecko, which nothing here needs and which Wine would
# offer to install; no menu entries or file associations on the Linux side.
WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
# The overrides the template prefix is made with (tools/wine/template.sh).
KELVARION_TEMPLATE_DLLOVERRIDES='mscoree,mshtml='
# Whether a window manager frames Wine's windows (Managed under
# HKCU\Software\Wine\X11 Driver). The virtual display has none: with 'N'
# Wine draws the frames itself, so that screenshots show the caption bar, and
# does not wait two seconds for every hidden or destroyed window to be
# withdrawn by a window manager that is not there. Set in the template, which
# every test's prefix is cloned from; the template's cached name follows the
# two template settings.
KELVARION_WINE_MANAGED='N'
# Wine links Desktop, Documents and the like to $HOME: every prefix gets a
# HOME of its own, the folder of this name beside it, so the real one stays
# out of it.
KELVARION_WINE_HOME='home'

# The virtual X display (Xvfb) of the tests that show windows.
KELVARION_XVFB_OPTIONS='-screen 0 1024x768x24 -nolisten tcp'
# The screen's DPI (Windows' LogPixels) of the second run of the main
# window's tests, where the layout's multiples of 15 twips fall on half pixels
# and rounding differs from truncating. Every other run has Wine's 96.
KELVARION_HIGH_DPI='144'

# Wine takes its ANSI code page from LANG, but only for a locale that is
# compiled. The LANG of every test that names none: Windows-1252.
KELVARION_DEFAULT_LANG='C.UTF-8'
# The locales compiled for the tests, the code pages of the customers'
# Windows: Cyrillic 1251, Greek 1253, Japanese 932, Simplified Chinese 936,
# Thai 874.
KELVARION_LOCALES='ru_RU.UTF-8 el_GR.UTF-8 ja_JP.UTF-8 zh_CN.UTF-8 th_TH.UTF-8'
# Where they are compiled, under the build folder; tests find them through
# LOCPATH, so nothing on the machine needs changing.
KELVARION_LOCALE_DIR='test-locales'
