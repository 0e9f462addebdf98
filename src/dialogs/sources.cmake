# Files of this folder: core (no Qt) and ui (Qt).
list(APPEND TRANCHEX_CORE_SOURCES
)
list(APPEND TRANCHEX_UI_SOURCES
)
