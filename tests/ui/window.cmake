# The main window, its cell entry, colouring, occurrence table, commands and failure reporting.
add_executable(ui_window_tests
  ${CMAKE_CURRENT_LIST_DIR}/window_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_test_support.h)
target_link_libraries(ui_window_tests PRIVATE vornel_ui Qt6::Widgets Qt6::Test)
add_test(NAME ui_window_tests COMMAND ui_window_tests)
set_tests_properties(ui_window_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)

# Not a test: writes screenshots for a person to look at (scripts/screenshots runs it).
add_executable(ui_window_screenshots ${CMAKE_CURRENT_LIST_DIR}/window_screenshots.cpp)
target_link_libraries(ui_window_screenshots PRIVATE vornel_ui Qt6::Widgets Qt6::Test)
