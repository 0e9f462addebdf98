# engine: the cutting model records and the optimiser (no Qt).
set(engine_CORE
  ${CMAKE_CURRENT_LIST_DIR}/Records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Driver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GroupRuns.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelIndex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FitChecks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SeedAndGroup.cpp
)
set(engine_QT)
