# vornel: the window program (build/app/vornel).
add_executable(vornel ${CMAKE_CURRENT_LIST_DIR}/vornel_main.cpp)
target_link_libraries(vornel PRIVATE vornel_ui)
