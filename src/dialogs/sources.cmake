# dialogs: the dialog frame and one module per form (Qt).
set(dialogs_CORE)
set(dialogs_QT
  ${CMAKE_CURRENT_LIST_DIR}/USelModeAffPanneaux.cpp
)
