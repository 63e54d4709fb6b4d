# The main window Tf_vrn: its cells, colouring, occurrence table, log, menus and failure reporting.
target_sources(vornel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/board_widgets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/board_widgets.h
  ${CMAKE_CURRENT_LIST_DIR}/cell_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cell_edit.h
  ${CMAKE_CURRENT_LIST_DIR}/guard.h
  ${CMAKE_CURRENT_LIST_DIR}/log_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/log_view.h
  ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_box.h
  ${CMAKE_CURRENT_LIST_DIR}/occurrence_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/occurrence_table.h
  ${CMAKE_CURRENT_LIST_DIR}/start_up.cpp
  ${CMAKE_CURRENT_LIST_DIR}/start_up.h
  ${CMAKE_CURRENT_LIST_DIR}/tf_vrn.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tf_vrn.h)
