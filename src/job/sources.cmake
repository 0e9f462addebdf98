# job: the job state, settings, helpers, stored files, the cutting pipeline and the lists
# derived from a layout (no Qt).
set(job_CORE
  ${CMAKE_CURRENT_LIST_DIR}/Outils_debit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JobState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JobRecordChecks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CuttingPipeline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JobFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecentJobs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CutLineOrder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelCharacteristics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawScales.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberEntry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColumnLetters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpeciesList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StandardSizes.cpp
)
set(job_QT)
