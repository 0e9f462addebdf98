# exchange: import, export, summary, offcuts, labels. Core writers and readers (no Qt) and the
# windows (Qt).
set(exchange_CORE
  ${CMAKE_CURRENT_LIST_DIR}/LabelPrinting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JobExport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SylkExport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SummaryDetails.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SummaryPrint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OffcutExport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OffcutTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OffcutFilterEntry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportCommit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportPanels.cpp
)
set(exchange_QT
  ${CMAKE_CURRENT_LIST_DIR}/UImpressionEtiquettes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UCaractPanneaux.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UFlisteChutes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UFExportChutes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UImportation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UOptionsImportation.cpp
)
