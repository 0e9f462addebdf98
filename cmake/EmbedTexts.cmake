# Writes the text table file into a C++ source as one raw string; the core parses it once.
file(READ "${IN}" content)
string(FIND "${content}" ")tranchex_texts\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "The text table holds the raw-string delimiter")
endif()
file(WRITE "${OUT}.tmp"
"// Generated from resources/texts.fr.txt: do not edit.\n#include \"platform/Texts.h\"\n\nnamespace tranchex {\nconst char* const kEmbeddedTextTable = R\"tranchex_texts(${content})tranchex_texts\";\n}\n")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
