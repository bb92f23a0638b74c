# The portable archive: `cpack -G TGZ` in the build folder makes Quorvel-<version>-Linux.tar.gz,
# one folder holding the program, its word files and what a desktop needs to list it.

set(QUORVEL_APP_ID org.quorvel.Quorvel)

# Qt comes from the system's library path (Debian's libqt6*6 packages), so the installed program
# carries no RPATH at all: never one into the build tree or to a Qt on the build machine.
set_target_properties(quorvel PROPERTIES INSTALL_RPATH "" INSTALL_RPATH_USE_LINK_PATH OFF)

configure_file(${PROJECT_SOURCE_DIR}/packaging/README.txt ${PROJECT_BINARY_DIR}/packaging/README.txt
  @ONLY)

install(FILES
  ${PROJECT_SOURCE_DIR}/packaging/${QUORVEL_APP_ID}.desktop
  ${PROJECT_SOURCE_DIR}/packaging/${QUORVEL_APP_ID}.metainfo.xml
  ${PROJECT_SOURCE_DIR}/src/platform/qt/quorvel.png
  ${PROJECT_SOURCE_DIR}/src/platform/qt/quorvel-96.png
  ${PROJECT_BINARY_DIR}/packaging/README.txt
  ${PROJECT_SOURCE_DIR}/LICENSE
  ${PROJECT_SOURCE_DIR}/LICENSE.wordlists
  DESTINATION .)
install(PROGRAMS
  ${PROJECT_SOURCE_DIR}/packaging/install.sh
  ${PROJECT_SOURCE_DIR}/packaging/uninstall.sh
  DESTINATION .)

set(CPACK_GENERATOR TGZ)
set(CPACK_PACKAGE_NAME Quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Find the numbers of the words of a 2048-word list")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Quorvel-${PROJECT_VERSION}-Linux)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
include(CPack)
