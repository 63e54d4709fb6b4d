add_library(vornel_explain_core STATIC explain_cli.cpp explainer.cpp ladder_report.cpp)
target_link_libraries(vornel_explain_core PUBLIC vornel_engine vornel_files vornel_ladder)
target_include_directories(vornel_explain_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

add_executable(vornel-explain vornel_explain_main.cpp)
target_link_libraries(vornel-explain PRIVATE vornel_explain_core)
find_package(Threads REQUIRED)
target_link_libraries(vornel_explain_core PUBLIC Threads::Threads)
