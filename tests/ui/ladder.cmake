# The ladder in the main window, against the headless ladder session.
add_executable(ui_ladder_tests ${CMAKE_CURRENT_LIST_DIR}/ladder_window_test.cpp ${CMAKE_CURRENT_LIST_DIR}/window_test_support.h)
target_link_libraries(ui_ladder_tests PRIVATE vornel_ui Qt6::Widgets Qt6::Test)
target_compile_definitions(ui_ladder_tests PRIVATE VORNEL_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
add_test(NAME ui_ladder_tests COMMAND ui_ladder_tests)
set_tests_properties(ui_ladder_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
