# The explanations window and the file dialogs: one Qt test executable for both.
add_executable(extras_tests
  ${CMAKE_CURRENT_LIST_DIR}/explications_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/explications_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_dialogs_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/explications_test_support.h)
target_link_libraries(extras_tests PRIVATE vornel_ui Qt6::Widgets Qt6::Test)
add_test(NAME extras_tests COMMAND extras_tests)
set_tests_properties(extras_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
