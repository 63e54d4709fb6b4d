add_executable(ladder_session_tests ${CMAKE_CURRENT_LIST_DIR}/ladder_session_test.cpp)
target_link_libraries(ladder_session_tests PRIVATE vornel_ladder GTest::gtest_main)
target_compile_definitions(ladder_session_tests PRIVATE VORNEL_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
gtest_discover_tests(ladder_session_tests)
# The board's log is compared with vornel-explain's own report of the same explanation.
target_link_libraries(ladder_session_tests PRIVATE vornel_explain_core)
