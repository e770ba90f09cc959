# Installs Zorvik as a desktop application:
#   <prefix>/lib/zorvik/zorvik and HAND-M.CUR   the program and the files it looks for beside itself
#   <prefix>/bin/zorvik                        a launcher that starts the program in its folder
#   <prefix>/share/applications/zorvik.desktop
#   <prefix>/share/icons/hicolor/scalable/apps/zorvik.svg
#   <prefix>/share/metainfo/example.teskaro.Zorvik.metainfo.xml   what software centres show
#   <prefix>/share/man/man1/zorvik.1.gz
#   <prefix>/share/doc/zorvik/copyright, changelog.gz and examples/skin/x/o.cjs (the example skin,
#   to be copied beside the program by whoever wants it)

include(GNUInstallDirs)

set(ZORVIK_ASSETS_DIR ${PROJECT_SOURCE_DIR}/assets)
# Not the multiarch library folder: the launcher finds the program at a fixed place beside bin/.
set(ZORVIK_PROGRAM_DIR lib/zorvik)
# The package is "zorvik"; GNUInstallDirs would name the folder after the project, "Zorvik".
set(ZORVIK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zorvik)

option(ZORVIK_INSTALL_EXAMPLE_SKIN "Install the example skin beside the program" OFF)

install(TARGETS zorvik RUNTIME DESTINATION ${ZORVIK_PROGRAM_DIR})
install(FILES ${ZORVIK_ASSETS_DIR}/HAND-M.CUR DESTINATION ${ZORVIK_PROGRAM_DIR})
install(PROGRAMS ${ZORVIK_ASSETS_DIR}/zorvik-launcher.sh DESTINATION bin RENAME zorvik)
install(FILES ${ZORVIK_ASSETS_DIR}/zorvik.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZORVIK_ASSETS_DIR}/zorvik.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${ZORVIK_ASSETS_DIR}/example.teskaro.Zorvik.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Compressed as Debian wants them (gzip -n: no name or time inside, so every build gives the same bytes).
foreach(document ${ZORVIK_ASSETS_DIR}/zorvik.1 ${PROJECT_SOURCE_DIR}/packaging/changelog)
  get_filename_component(name ${document} NAME)
  add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz
    COMMAND sh -c "gzip -9nc \"$1\" >\"$2\"" sh ${document} ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz
    DEPENDS ${document}
    VERBATIM)
  list(APPEND ZORVIK_COMPRESSED ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
endforeach()
add_custom_target(zorvik_compressed_documents ALL DEPENDS ${ZORVIK_COMPRESSED})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zorvik.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${ZORVIK_DOC_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/skins/example/x DESTINATION ${ZORVIK_DOC_DIR}/examples/skin)
if(ZORVIK_INSTALL_EXAMPLE_SKIN)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/skins/example/x DESTINATION ${ZORVIK_PROGRAM_DIR})
endif()

if(ZORVIK_BUILD_TESTS)
  enable_testing() # this folder is read before the top level enables testing
  # Exit code 77 marks a skipped test: desktop-file-validate is optional on a developer's machine.
  add_test(NAME desktop_file_is_valid
           COMMAND sh -c "command -v desktop-file-validate >/dev/null || exit 77
                          out=$(desktop-file-validate \"$1\" 2>&1); status=$?
                          printf '%s' \"$out\"; [ $status -eq 0 ] && [ -z \"$out\" ]"
                   sh ${ZORVIK_ASSETS_DIR}/zorvik.desktop)
  set_tests_properties(desktop_file_is_valid PROPERTIES SKIP_RETURN_CODE 77)

  add_test(NAME metainfo_is_valid
           COMMAND sh -c "command -v appstreamcli >/dev/null || exit 77; appstreamcli validate --no-net \"$1\""
                   sh ${ZORVIK_ASSETS_DIR}/example.teskaro.Zorvik.metainfo.xml)
  set_tests_properties(metainfo_is_valid PROPERTIES SKIP_RETURN_CODE 77)

  # The manual page must name every option that --help prints.
  add_test(NAME man_page_names_every_option
           COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-man-page.sh $<TARGET_FILE:zorvik>
                   ${ZORVIK_ASSETS_DIR}/zorvik.1)

  add_test(NAME install_layout
           COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                   -DPREFIX=${CMAKE_BINARY_DIR}/install-check -P ${PROJECT_SOURCE_DIR}/cmake/CheckInstall.cmake)
  set_tests_properties(install_layout PROPERTIES TIMEOUT 60 RUN_SERIAL TRUE)
endif()
