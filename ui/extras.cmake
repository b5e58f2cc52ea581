# Diagram window, input assistant, About box, splash, help.
list(APPEND VORNIK_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/windows/FolderJobDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows/ClassSetDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows/SelfCheckWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows/GradeDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/Emblem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/ExtrasUi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/RoundedWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows/Unit5.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows/Unit6.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows/Unit7.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/DiagramView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows/Unit8.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/SplashDrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform/Help.cpp
  # The splash screen's picture and the toolbar glyphs, drawn by scripts/draw-pictures.sh.
  ${CMAKE_CURRENT_LIST_DIR}/data/pictures.qrc
)

# The contact addresses of the About box. Whoever distributes the program sets real ones:
#   cmake -DVORNIK_CONTACT_EMAIL1=name@host -DVORNIK_CONTACT_EMAIL2=name@host
set(VORNIK_CONTACT_EMAIL1 "vornik@example.org" CACHE STRING "First contact e-mail address of the About box")
set(VORNIK_CONTACT_EMAIL2 "support@example.org" CACHE STRING "Second contact e-mail address of the About box")
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/windows/Unit5.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  "VORNIK_CONTACT_EMAIL1=\"${VORNIK_CONTACT_EMAIL1}\""
  "VORNIK_CONTACT_EMAIL2=\"${VORNIK_CONTACT_EMAIL2}\"")

# The help page: installed to <prefix>/share/vornik/HELP.htm; the program looks there (relative
# to its own directory) after the current directory and its own directory. The build tree gets
# a copy in the same place relative to the programs, so no source folder is compiled in.
set(VORNIK_HELP_FILE ${CMAKE_CURRENT_LIST_DIR}/data/HELP.htm)
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/platform/Help.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  "VORNIK_HELP_INSTALL_SUBDIR=\"${CMAKE_INSTALL_DATADIR}/vornik\"")
configure_file(${VORNIK_HELP_FILE} ${PROJECT_BINARY_DIR}/${CMAKE_INSTALL_DATADIR}/vornik/HELP.htm COPYONLY)
install(FILES ${VORNIK_HELP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/vornik)
