# Installation (cmake --install), the Debian package (cpack -G DEB) and, built for Windows, the zip
# (cpack -G ZIP).
include(GNUInstallDirs)

if(WIN32)
  # Beside the program: the README and the manual page as text that Windows shows.
  find_program(QUORVEX_GROFF groff REQUIRED)
  set(texts "${CMAKE_BINARY_DIR}/README.txt" "${CMAKE_BINARY_DIR}/quorvex-convert.txt")
  add_custom_command(
    OUTPUT ${texts}
    COMMAND ${CMAKE_COMMAND} -DIN=${CMAKE_SOURCE_DIR}/README.md -DOUT=${CMAKE_BINARY_DIR}/README.txt
            -P ${CMAKE_SOURCE_DIR}/cmake/WindowsText.cmake
    COMMAND ${CMAKE_COMMAND} -DIN=${CMAKE_SOURCE_DIR}/dist/quorvex-convert.1
            -DOUT=${CMAKE_BINARY_DIR}/quorvex-convert.txt -DGROFF=${QUORVEX_GROFF}
            -P ${CMAKE_SOURCE_DIR}/cmake/WindowsText.cmake
    DEPENDS README.md dist/quorvex-convert.1 cmake/WindowsText.cmake
    COMMENT "Texts of the README and the manual page")
  add_custom_target(quorvex_texts ALL DEPENDS ${texts})
  install(FILES ${texts} DESTINATION "${CMAKE_INSTALL_BINDIR}")
else()
  install(FILES "${CMAKE_SOURCE_DIR}/dist/quorvex-convert.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
  install(FILES "${CMAKE_SOURCE_DIR}/dist/quorvex-convert.bash"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions" RENAME quorvex-convert)
endif()

set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR "Quorvex developers")
set(CPACK_PACKAGE_CONTACT "Quorvex developers <quorvex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Quorvex converts Visual FoxPro forms (.scx with their .sct memo files) into Delphi\n"
       "forms: a .dfm form text and a .pas unit per form. quorvex is the desktop program;\n"
       "quorvex-convert runs from the command line and from scripts. Input files are only\n"
       "ever read.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # quorvex_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)    # dependencies worked out from the binaries
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)  # quorvex-<version>-win64.zip
endif()
include(CPack)
