# Client window and end-to-end tests.

# In-process tests of TfrmMiddle under Wine: real windows over a temporary
# program folder and fonts root. They need a display (scripts/test.sh has one).
add_executable(window_tests
  ${CMAKE_CURRENT_LIST_DIR}/window_test_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_settings_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_library_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_listing_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_dialog_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_actions_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_commands_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_look_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_frame_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_scope_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_dpi_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_formats_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_health_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_test_main.cpp)
target_link_libraries(window_tests PRIVATE nq_window glyphscan_font_builder GTest::gtest)
# The program's manifest and icon: the window is tested with the common controls
# it runs with, and its class takes the icon from the module, as in the program.
nq_add_resources(window_tests FILE_NAME window_tests.exe DESCRIPTION "NimbQuillbox window tests"
                 MANIFEST ${PROJECT_SOURCE_DIR}/app/res/NimbQuillbox.manifest.in
                 ICON ${PROJECT_SOURCE_DIR}/app/res/NimbQuillbox.ico)
# glyphscan.dll beside the test, which binds it at load time like the program.
add_custom_command(TARGET window_tests POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:glyphscan>
          $<TARGET_FILE_DIR:window_tests>
  VERBATIM)
nq_add_gtest(window_tests)
if(NQ_ARCH STREQUAL "x86_64")
  # The window started where the display scale is 150 %: the same tests' AtDpi144
  # cases in a prefix whose LogPixels is 144 (wine-run.sh with NQ_DPI).
  add_test(NAME ${NQ_TEST_PREFIX}window_tests_dpi144
    COMMAND window_tests --gtest_filter=AtDpi144.*)
  set_tests_properties(${NQ_TEST_PREFIX}window_tests_dpi144 PROPERTIES ENVIRONMENT NQ_DPI=144)
endif()

# Test-side helper programs.
add_subdirectory(${PROJECT_SOURCE_DIR}/tests/tools ${CMAKE_BINARY_DIR}/tests/tools)

# NimbQuillbox.exe as a user runs it, in the build prefix's C:\windows\Fonts.
add_test(NAME ${NQ_TEST_PREFIX}e2e_program
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/e2e_program.sh
          $<TARGET_FILE:NimbQuillbox> $<TARGET_FILE:glyphscan> $<TARGET_FILE:nq_probe>
          ${CMAKE_BINARY_DIR}/wine-run.sh ${NQ_WINEPREFIX} ${CMAKE_CURRENT_BINARY_DIR}/e2e)
set_tests_properties(${NQ_TEST_PREFIX}e2e_program PROPERTIES SKIP_RETURN_CODE 77)
# Several fonts selected with the mouse, switched and trashed with keys.
add_test(NAME ${NQ_TEST_PREFIX}e2e_keys
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/e2e_keys.sh
          $<TARGET_FILE:NimbQuillbox> $<TARGET_FILE:glyphscan> $<TARGET_FILE:nq_probe>
          ${CMAKE_BINARY_DIR}/wine-run.sh ${NQ_WINEPREFIX} ${CMAKE_CURRENT_BINARY_DIR}/e2e_keys)
set_tests_properties(${NQ_TEST_PREFIX}e2e_keys PROPERTIES SKIP_RETURN_CODE 77)

# The frame's five windows dragged, resized, rolled, minimised and restored by
# the mouse, and Alt+F4 on the title bar.
add_test(NAME ${NQ_TEST_PREFIX}e2e_frame
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/e2e_frame.sh
          $<TARGET_FILE:NimbQuillbox> $<TARGET_FILE:glyphscan> $<TARGET_FILE:nq_probe>
          ${CMAKE_BINARY_DIR}/wine-run.sh ${NQ_WINEPREFIX} ${CMAKE_CURRENT_BINARY_DIR}/e2e-frame)
set_tests_properties(${NQ_TEST_PREFIX}e2e_frame PROPERTIES SKIP_RETURN_CODE 77)

if(NQ_ARCH STREQUAL "x86_64")
  # The program at 100 % and at 150 % (a prefix whose display scale is 144 DPI),
  # compared from outside: controls and edge windows, default bounds, settings;
  # screenshots of both skins at 150 %.
  add_test(NAME ${NQ_TEST_PREFIX}e2e_dpi
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/e2e_dpi.sh
            $<TARGET_FILE:NimbQuillbox> $<TARGET_FILE:glyphscan> $<TARGET_FILE:nq_probe>
            ${CMAKE_BINARY_DIR}/wine-run.sh ${CMAKE_CURRENT_BINARY_DIR}/e2e-dpi)
  set_tests_properties(${NQ_TEST_PREFIX}e2e_dpi PROPERTIES SKIP_RETURN_CODE 77)
endif()
