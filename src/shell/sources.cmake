# Files of this folder: core (no Qt) and ui (Qt).
list(APPEND TRANCHEX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Outils_debit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JobState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CuttingPipeline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JobFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecentJobs.cpp
)
list(APPEND TRANCHEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/UDebit.cpp
)
list(APPEND TRANCHEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Prompts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitViews.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDebitPrint.cpp
)
