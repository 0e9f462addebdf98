# dialogs: the dialog frame, the checked numeric field and one module per form (Qt).
set(dialogs_CORE)
set(dialogs_QT
  ${CMAKE_CURRENT_LIST_DIR}/DialogFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CheckedField.cpp
  ${CMAKE_CURRENT_LIST_DIR}/USelModeAffPanneaux.cpp
  ${CMAKE_CURRENT_LIST_DIR}/USelDebit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/USelUnite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UFSelExport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MarginPicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/USelMarge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/USelMargesMultiples.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UGestEssence.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordNavigator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/USelPanneaux.cpp
  ${CMAKE_CURRENT_LIST_DIR}/USelPieces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelModif.cpp
)
