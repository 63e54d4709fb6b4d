# The explanations window, the Qt file dialogs, the program's icon and the shared font helper.
target_sources(vornel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/explications.cpp
  ${CMAKE_CURRENT_LIST_DIR}/explications.h
  ${CMAKE_CURRENT_LIST_DIR}/file_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_dialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/resources.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resources.h
  ${CMAKE_CURRENT_LIST_DIR}/resources/vornel.qrc)
