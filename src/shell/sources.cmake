# shell: the main window and its commands (Qt).
set(shell_CORE)
set(shell_QT
  ${CMAKE_CURRENT_LIST_DIR}/UDebit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitViews.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitPrint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitLabels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitExport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitSummary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitEntryForms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitMargins.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitModify.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitNew.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitImport.cpp
)
