# The Debian package, built by scripts/package.sh: CPack's DEB generator over the install rules of
# Install.cmake (so the package holds exactly what the install_layout test checks), with the
# libraries' packages found by dpkg-shlibdeps.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Team Teskaro <support@teskaro.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find the files in your folders by their size")
set(CPACK_PACKAGE_DESCRIPTION
    "Zorvik lists every file in the folders you choose that meets one size
condition: between two sizes, greater than, less than or equal to a size,
in bytes, KB, MB or GB. The results can be sorted, pruned, saved as text
or CSV, copied, sent to the trash or moved to another folder.
.
Without a window, zorvik --print runs the same search for scripts and
scheduled scans and prints text, CSV or JSON Lines.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # zorvik_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The package names the maker's home page only when the build was given one.
if(ZORVIK_HOME_PAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZORVIK_HOME_PAGE_URL}")
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fixed layout is drawn for Arial's metrics, which Liberation Sans has; the translations of Qt's
# own dialogs are welcome but not needed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
