# Main window, results, parameters, precision, start-up.
list(APPEND VORNIK_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Unit1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Unit2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Unit3.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Unit4.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Accessibility.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileErrorText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FieldBehaviour.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GapLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Glyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GuiRunContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyFilters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageBoxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RawPicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RtfWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartUp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TaskCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowPlace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordProcessor.cpp
)
set(VORNIK_MAIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/main.cpp)

# Desktop integration: menu entry and icon.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/data/vornik.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The task file's media type (application/x-vornik-task, *.vornik), opened by the desktop entry.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/data/vornik-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME vornik.xml)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/data/vornik.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
