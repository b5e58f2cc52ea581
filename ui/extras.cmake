# Diagram window, input assistant, About box, splash, help.
list(APPEND VORNIK_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ExtrasUi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InputAssistant.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Unit5.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Unit6.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Unit7.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Unit8.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Help.cpp
)
