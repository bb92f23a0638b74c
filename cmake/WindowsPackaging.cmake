# The portable Windows archive: `cpack -G ZIP` in the Windows build folder makes
# Quorvel-<version>-win64.zip, one folder holding the program, its word files, the licences
# and a README. It runs from wherever it is unpacked; nothing is installed.

configure_file(${PROJECT_SOURCE_DIR}/packaging/README-windows.txt
  ${PROJECT_BINARY_DIR}/packaging/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES
  ${PROJECT_BINARY_DIR}/packaging/README.txt
  ${PROJECT_SOURCE_DIR}/LICENSE
  ${PROJECT_SOURCE_DIR}/LICENSE.wordlists
  DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Find the numbers of the words of a 2048-word list")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Quorvel-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
