# Targets for the font library units (collection store, catalogue, search filter,
# activation, file operations).
# Included from the top CMakeLists in every build; Windows-only units only when WIN32.
# The program comes with its own sources.

# Units without Windows calls: also built natively, where their tests run under
# the sanitizers.
add_library(nq_portable STATIC
  ${CMAKE_CURRENT_LIST_DIR}/search_filter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/collection_name.cpp)
target_include_directories(nq_portable PUBLIC ${CMAKE_CURRENT_LIST_DIR})

if(WIN32)
  # Collections on disk, the font catalogue, switching fonts on and off and the
  # file operations, for the program and its tests.
  add_library(nq_library STATIC
    ${CMAKE_CURRENT_LIST_DIR}/collection_store.cpp
    ${CMAKE_CURRENT_LIST_DIR}/font_catalogue.cpp
    ${CMAKE_CURRENT_LIST_DIR}/font_activation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_operations.cpp)
  target_include_directories(nq_library PUBLIC ${CMAKE_CURRENT_LIST_DIR}
                             PRIVATE ${PROJECT_SOURCE_DIR}/glyphscan)
  # glyphscan is bound through its import library: the program needs glyphscan.dll to start.
  target_link_libraries(nq_library PUBLIC nq_portable nq_win glyphscan gdi32 advapi32 user32
                        shell32)
endif()
