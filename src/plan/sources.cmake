# plan: the drawings, the drawing context, the cutting-sheet table and the print engine (no Qt),
# and the Qt print target.
set(plan_CORE
  ${CMAKE_CURRENT_LIST_DIR}/DrawingContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawPanelHeading.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawPartLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawPanelParts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawPanelCutLines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CuttingSheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Printing.cpp
)
set(plan_QT
  ${CMAKE_CURRENT_LIST_DIR}/QtPrintTarget.cpp
)
