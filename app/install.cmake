# Install rules: the programs, the desktop entry and the icon. Included after explain.cmake and
# window.cmake, so the targets they create exist here; each is guarded in case one is not built.
foreach(program IN ITEMS vornel vornel-explain vornel-generate)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${CMAKE_CURRENT_LIST_DIR}/vornel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/ui/resources/vornel.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
