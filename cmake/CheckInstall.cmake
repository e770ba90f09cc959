# Installs the build into a scratch prefix and checks that it is a working desktop application.
# cmake -DBUILD_DIR=<build> -DPREFIX=<scratch folder> -P CheckInstall.cmake

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

foreach(path lib/zorvik/zorvik lib/zorvik/HAND-M.CUR bin/zorvik share/applications/zorvik.desktop
             share/icons/hicolor/scalable/apps/zorvik.svg share/metainfo/example.teskaro.Zorvik.metainfo.xml
             share/man/man1/zorvik.1.gz share/doc/zorvik/copyright share/doc/zorvik/changelog.gz
             share/doc/zorvik/examples/skin/x/o.cjs)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endforeach()
if(EXISTS ${PREFIX}/lib/zorvik/x/o.cjs)
  message(FATAL_ERROR "the example skin is installed although nobody asked for it")
endif()

file(READ ${PREFIX}/share/applications/zorvik.desktop entry)
foreach(line "Name=Zorvik" "Exec=zorvik %F" "MimeType=inode/directory;" "Icon=zorvik" "Categories=Utility;FileTools;")
  string(FIND "${entry}" "\n${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "zorvik.desktop lacks ${line}")
  endif()
endforeach()

# The launcher must reach the program also through a link elsewhere, as a packager's symlink would.
file(MAKE_DIRECTORY ${PREFIX}/elsewhere ${PREFIX}/home/config ${PREFIX}/home/data ${PREFIX}/home/runtime)
file(CREATE_LINK ${PREFIX}/bin/zorvik ${PREFIX}/elsewhere/zorvik SYMBOLIC)
# A window that starts keeps running until the time-out ends it (status 124); one that cannot start
# ends at once with another status.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=${PREFIX}/home/config
          XDG_DATA_HOME=${PREFIX}/home/data XDG_RUNTIME_DIR=${PREFIX}/home/runtime
          timeout 3 ${PREFIX}/elsewhere/zorvik
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 124)
  message(FATAL_ERROR "the installed launcher did not keep the window running (status ${status}):\n${out}")
endif()
file(REMOVE_RECURSE ${PREFIX})
