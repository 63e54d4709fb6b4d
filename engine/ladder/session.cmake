# The ladder explained on a board: the session over the board and ladder views, its picture, and
# the headless ladder view.
target_sources(vornel_ladder PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/headless_ladder_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ladder_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ladder_session.cpp)
