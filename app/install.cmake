# Install rules: the two programs, the desktop entry, the ".sud" file type and the icons. Included after explain.cmake and
# window.cmake, so the targets they create exist here; each is guarded in case one is not built.
foreach(program IN ITEMS vornel vornel-explain)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${CMAKE_CURRENT_LIST_DIR}/vornel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The ".sud" file type (application/x-vornel-sudoku), which the desktop entry opens with `vornel %f`.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vornel-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME vornel.xml)

# The icon, scalable and at the usual sizes, for the program and for its ".sud" files.
set(VORNEL_ICONS ${PROJECT_SOURCE_DIR}/ui/resources)
set(VORNEL_HICOLOR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${VORNEL_ICONS}/vornel.svg DESTINATION ${VORNEL_HICOLOR}/scalable/apps)
install(FILES ${VORNEL_ICONS}/vornel.svg DESTINATION ${VORNEL_HICOLOR}/scalable/mimetypes
        RENAME application-x-vornel-sudoku.svg)
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
  install(FILES ${VORNEL_ICONS}/hicolor/${size}x${size}/vornel.png DESTINATION ${VORNEL_HICOLOR}/${size}x${size}/apps)
  install(FILES ${VORNEL_ICONS}/hicolor/${size}x${size}/vornel.png DESTINATION ${VORNEL_HICOLOR}/${size}x${size}/mimetypes
          RENAME application-x-vornel-sudoku.png)
endforeach()

# A direct install refreshes the prefix's MIME and desktop databases, so the file type works at
# once; a staged install (DESTDIR, as packages do) leaves that to the package's own triggers.
string(CONFIGURE [[
  if("$ENV{DESTDIR}" STREQUAL "")
    find_program(VORNEL_UPDATE_MIME update-mime-database)
    if(VORNEL_UPDATE_MIME)
      execute_process(COMMAND ${VORNEL_UPDATE_MIME} "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_DATADIR@/mime")
    endif()
    find_program(VORNEL_UPDATE_DESKTOP update-desktop-database)
    if(VORNEL_UPDATE_DESKTOP)
      execute_process(COMMAND ${VORNEL_UPDATE_DESKTOP} -q "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_DATADIR@/applications")
    endif()
  endif()
]] VORNEL_REFRESH_DATABASES @ONLY)
install(CODE "${VORNEL_REFRESH_DATABASES}")
