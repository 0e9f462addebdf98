# Files of this folder: core (no Qt) and ui (Qt).
list(APPEND TRANCHEX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Cp1252.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BinaryIO.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileIO.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Texts.cpp
)
list(APPEND TRANCHEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DataFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Bitmaps.cpp
  ${CMAKE_SOURCE_DIR}/resources/resources.qrc
)
list(APPEND TRANCHEX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RecordingCanvas.cpp
)
list(APPEND TRANCHEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/QPainterCanvas.cpp
)
