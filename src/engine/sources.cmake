# Files of this folder: core (no Qt) and ui (Qt).
list(APPEND TRANCHEX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Driver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GroupRuns.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FitChecks.cpp
)
list(APPEND TRANCHEX_UI_SOURCES
)
