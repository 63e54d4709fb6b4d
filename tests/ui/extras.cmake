# The explanations window and the file dialogs: one Qt test executable for both.
add_executable(extras_tests
  ${CMAKE_CURRENT_LIST_DIR}/explications_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/explications_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_dialogs_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/explications_test_support.h)
target_link_libraries(extras_tests PRIVATE vornel_ui Qt6::Widgets Qt6::Test)
add_test(NAME extras_tests COMMAND extras_tests)
set_tests_properties(extras_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)

# Installing into a scratch prefix puts both programs, the desktop entry and the icon in place.
add_test(NAME install_puts_programs_desktop_entry_and_icon_in_place
  COMMAND sh -c "rm -rf \"$1\" && \"$0\" --install \"$2\" --prefix \"$1\" >/dev/null && test -x \"$1/bin/vornel\" && test -x \"$1/bin/vornel-explain\" && test -x \"$1/bin/vornel-generate\" && test -f \"$1/share/applications/vornel.desktop\" && test -f \"$1/share/icons/hicolor/64x64/apps/vornel.png\""
          ${CMAKE_COMMAND} ${CMAKE_CURRENT_BINARY_DIR}/install-check ${CMAKE_BINARY_DIR})
# The desktop entry follows the freedesktop rules (when desktop-file-utils is installed).
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  add_test(NAME desktop_entry_is_valid COMMAND ${DESKTOP_FILE_VALIDATE} ${PROJECT_SOURCE_DIR}/app/vornel.desktop)
endif()
