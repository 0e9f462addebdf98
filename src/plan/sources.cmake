# Files of this folder: core (no Qt) and ui (Qt).
list(APPEND TRANCHEX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ListTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CutLineOrder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelCharacteristics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawScales.cpp
)
list(APPEND TRANCHEX_UI_SOURCES
)
list(APPEND TRANCHEX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DrawingContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawPanelHeading.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawPartLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawPanelParts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawPanelCutLines.cpp
)
list(APPEND TRANCHEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/USelModeAffPanneaux.cpp
)
list(APPEND TRANCHEX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CuttingSheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Printing.cpp
)
list(APPEND TRANCHEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/QtPrintTarget.cpp
)
