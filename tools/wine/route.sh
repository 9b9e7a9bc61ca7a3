# Sourced by the scripts that run programs under Wine (scripts/test.sh,
# demo.sh, bench-wine.sh): asks tools/wine/arch.sh once which build Wine can
# run here and sets, for the script and every command it starts,
#   KELVARION_WINE_ARCH    32 or 64 (exported: later questions get this answer)
#   KELVARION_WINE_REASON  why, in words
#   WINELOADER             the Wine loader of that build (exported)
# On failure (arch.sh has said why) it returns 1, and sets nothing.
kelvarion_wine_answer=$("$(dirname "${BASH_SOURCE[0]}")/arch.sh" --reason) || return 1
. "$(dirname "${BASH_SOURCE[0]}")/../test-environment.sh"
export KELVARION_WINE_ARCH=${kelvarion_wine_answer%% *}
KELVARION_WINE_REASON=${kelvarion_wine_answer#* }
kelvarion_wine_loader=KELVARION_WINE_LOADER_$KELVARION_WINE_ARCH
export WINELOADER="${!kelvarion_wine_loader}"
unset kelvarion_wine_answer kelvarion_wine_loader
