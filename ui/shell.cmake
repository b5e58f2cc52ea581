# Main window, results, parameters, precision, start-up.
list(APPEND VORNIK_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/windows/Unit1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows/Unit2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows/Unit3.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows/Unit4.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app/Accessibility.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/Controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform/FileErrorText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/FieldBehaviour.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/GapLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/Glyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows/GuiRunContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform/KeyFilters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform/MessageBoxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/RawPicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform/RtfWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app/StartUp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows/TaskCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform/WindowPlace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform/WordProcessor.cpp
)
set(VORNIK_MAIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/app/main.cpp)

# Desktop integration: menu entry and icon.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/data/vornik.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The task file's media type (application/x-vornik-task, *.vornik), opened by the desktop entry.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/data/vornik-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME vornik.xml)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/data/vornik.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
