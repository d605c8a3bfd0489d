# What a system installation adds to the programs, and the Debian package of it
# (cpack -G DEB, as scripts/build-deb runs it): man pages, the user guide, the
# licence, AppStream metainfo and the package's changelog.
include(GNUInstallDirs)
set(_pkg "${PROJECT_SOURCE_DIR}/packaging")
set(_gen "${PROJECT_BINARY_DIR}/packaging")
set(VERSION "${PROJECT_VERSION}")

# Man pages and the changelog go in compressed, as Debian's policy asks (gzip -n:
# no name or time stamp inside, so the package builds the same twice).
set(_compressed)
foreach(page kovalin kovalin-cli kovalin-plot)
  configure_file("${_pkg}/man/${page}.1" "${_gen}/${page}.1" @ONLY)
  list(APPEND _compressed "${_gen}/${page}.1")
endforeach()
configure_file("${_pkg}/changelog" "${_gen}/changelog" @ONLY)
list(APPEND _compressed "${_gen}/changelog")
set(_gz)
foreach(file ${_compressed})
  add_custom_command(OUTPUT "${file}.gz"
                     COMMAND gzip -9n -c "${file}" > "${file}.gz"
                     DEPENDS "${file}" VERBATIM)
  list(APPEND _gz "${file}.gz")
endforeach()
add_custom_target(kovalin_packaging_files ALL DEPENDS ${_gz})
foreach(page kovalin kovalin-cli kovalin-plot)
  install(FILES "${_gen}/${page}.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endforeach()

configure_file("${_pkg}/kovalin.metainfo.xml" "${_gen}/org.example.kovalin.metainfo.xml" @ONLY)
install(FILES "${_gen}/org.example.kovalin.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

set(_doc "${CMAKE_INSTALL_DATADIR}/doc/kovalin")
install(FILES "${PROJECT_SOURCE_DIR}/docs/guide.md" DESTINATION "${_doc}")
install(FILES "${_gen}/changelog.gz" DESTINATION "${_doc}")
# Debian's copyright file: the machine-readable header, then the licence as stated.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" _licence)
string(REGEX REPLACE "\n\n" "\n .\n" _licence_body "${_licence}")
string(REGEX REPLACE "\n([^ ])" "\n \\1" _licence_body "${_licence_body}")
file(WRITE "${_gen}/copyright"
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Kovalin

Files: *
Copyright: 2026 The Kovalin developers
License: CC-BY-NC-ND-3.0
 ${_licence_body}
")
install(FILES "${_gen}/copyright" DESTINATION "${_doc}")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "kovalin")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "The Kovalin developers <kovalin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compare the predictive values of two binary diagnostic tests")
# The synopsis is the summary above; CPack indents these lines and turns the empty
# line into the " ." of a Debian description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Kovalin compares two binary diagnostic tests applied to the same subjects
(paired design): the measures of the 2x2x2 table, 21 interval methods for
the difference and the ratio of the positive predictive values with their
homogeneity tests, and Monte Carlo studies of how the methods behave.

This package holds the desktop program kovalin, the command line
kovalin-cli and kovalin-plot, with the example tables and the user guide.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.org/kovalin/")
# The libraries the programs link (Qt among them) are found by dpkg-shlibdeps;
# Qt's platform plugins and the font the program measures its text with are
# loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
set(CPACK_SET_DESTDIR OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
include(CPack)
