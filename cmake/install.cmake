# Installing: the program and the virtual unit, the user manuals, and what a Linux desktop needs to
# offer the program in its application menu (a desktop entry, the icon, AppStream metadata).
include(GNUInstallDirs)

install(TARGETS quorvel05 quorvel05-unitsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Help > Contents opens the manual of the window's language from here.
install(FILES
    ${CMAKE_SOURCE_DIR}/docs/manual/Quorvel05_cz.html
    ${CMAKE_SOURCE_DIR}/docs/manual/Quorvel05_en.html
    ${CMAKE_SOURCE_DIR}/docs/manual/Quorvel05_de.html
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvel05)

install(FILES ${CMAKE_SOURCE_DIR}/desktop/quorvel05.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/gui/resources/quorvel05.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/desktop/quorvel05.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
