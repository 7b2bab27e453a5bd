# Installation (cmake --install) and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

install(FILES "${CMAKE_SOURCE_DIR}/dist/quorvex-convert.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${CMAKE_SOURCE_DIR}/dist/quorvex-convert.bash"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions" RENAME quorvex-convert)

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
include(CPack)
