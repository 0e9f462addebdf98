# platform: what Linux lacks. Core files (no Qt) and Qt files.
set(platform_CORE
  ${CMAKE_CURRENT_LIST_DIR}/Cp1252.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BinaryIO.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileIO.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordingCanvas.cpp
)
set(platform_QT
  ${CMAKE_CURRENT_LIST_DIR}/DataFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Bitmaps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QPainterCanvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Prompts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrenchTranslation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpPages.cpp
  ${CMAKE_SOURCE_DIR}/resources/resources.qrc
)
