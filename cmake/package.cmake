# The portable zip: NimbQuillbox.exe, glyphscan.dll, every skin folder of Skins/,
# README.txt and LICENSE in one folder named like the zip, for instance
# NimbQuillbox-1.0.0-win32/ in NimbQuillbox-1.0.0-win32.zip (-win64 for the
# x86_64 build). The binaries are stripped on the way in. The zip is made by
# `cpack --config CPackConfig.cmake` in a build tree; scripts/package.sh does that
# for a Release build of the i686 tree.
if(NQ_ARCH STREQUAL "i686")
  set(NQ_PACKAGE_NAME ${PROJECT_NAME}-${NimbQuillbox_VERSION}-win32)
else()
  set(NQ_PACKAGE_NAME ${PROJECT_NAME}-${NimbQuillbox_VERSION}-win64)
endif()

install(TARGETS NimbQuillbox RUNTIME DESTINATION .)
# The DLL only: its import library is for building, not for running.
install(TARGETS glyphscan RUNTIME DESTINATION . ARCHIVE DESTINATION lib EXCLUDE_FROM_ALL)
# Each folder of Skins/ is a skin (the palettes beside them are what
# scripts/make-skins.sh draws them from, nothing the program reads).
file(GLOB nq_skin_entries LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/Skins/*)
set(nq_skin_dirs)
foreach(entry IN LISTS nq_skin_entries)
  if(IS_DIRECTORY ${entry})
    list(APPEND nq_skin_dirs ${entry})
  endif()
endforeach()
install(DIRECTORY ${nq_skin_dirs} DESTINATION Skins)
# The texts with Windows line ends, README.txt with the version filled in.
configure_file(${PROJECT_SOURCE_DIR}/dist/README.txt ${CMAKE_BINARY_DIR}/dist/README.txt @ONLY
               NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/dist/LICENSE @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/dist/README.txt ${CMAKE_BINARY_DIR}/dist/LICENSE DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_SOURCE_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "the NimbQuillbox authors")
set(CPACK_PACKAGE_VERSION ${NimbQuillbox_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${NQ_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Stripped with the MinGW strip (CMAKE_STRIP, ${NQ_TRIPLE}-strip).
set(CPACK_STRIP_FILES ON)
include(CPack)
