#!/usr/bin/env bash
# Installs the Debian packages the build needs, but only those that are missing,
# so that a second call costs nothing. Sourced by ./run and ./test.
kovalin_install_missing() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}" >&2
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq >&2 || return 1
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

KOVALIN_CORE_PACKAGES=(cmake ninja-build g++ make libgtest-dev libgmock-dev libbenchmark-dev ccache locales
                       libpugixml-dev nlohmann-json3-dev)
# locales: localedef and the locale sources, for the tests under a comma-decimal locale.

# The desktop program: Qt 6 Widgets and a font, so text is measured the same everywhere.
KOVALIN_APP_PACKAGES=(qt6-base-dev libgl-dev fonts-dejavu-core qt6-charts-dev libqt6opengl6-dev qt6-svg-dev)

# The R package (built and checked by ./test): R, Rcpp for the glue, testthat and
# jsonlite for its tests, knitr, rmarkdown and pandoc for its vignette.
KOVALIN_R_PACKAGES=(r-base-core r-cran-rcpp r-cran-testthat r-cran-jsonlite r-cran-knitr
                    r-cran-rmarkdown pandoc)

# The Debian package (scripts/build-deb): dpkg-shlibdeps, lintian, appstreamcli and
# desktop-file-validate.
KOVALIN_DEB_PACKAGES=(dpkg-dev lintian appstream desktop-file-utils)
