# Font library unit tests.
add_executable(library_tests
  ${CMAKE_CURRENT_LIST_DIR}/library_collection_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/library_catalogue_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/library_listing_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/library_activation_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/library_file_ops_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/library_scope_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/library_text_tests.cpp)
# Font files of every format are built by the tests.
target_link_libraries(library_tests PRIVATE nq_library glyphscan_font_builder GTest::gtest_main)
# glyphscan.dll must lie beside the test for the loader to bind it.
add_custom_command(TARGET library_tests POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:glyphscan>
          $<TARGET_FILE_DIR:library_tests>)
nq_add_gtest(library_tests)
