# The ladder in the main window: its drawing over the board, the techniques window, and the main
# window's ladder commands.
target_sources(vornel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ladder_board.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ladder_board.h
  ${CMAKE_CURRENT_LIST_DIR}/techniques_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/techniques_window.h
  ${CMAKE_CURRENT_LIST_DIR}/tf_vrn_ladder.cpp)
target_link_libraries(vornel_ui PUBLIC vornel_ladder)
