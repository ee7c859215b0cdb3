# Turns one text file into a C++ source that holds it as a string_view, so
# that the built-in scenario's lines stay data files apart from the code.
# Called as: cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... -P embed_text.cmake
file(READ "${INPUT}" content)
set(delimiter "tracciato_text")
string(FIND "${content}" ")${delimiter}\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${INPUT} contains the raw-string delimiter")
endif()
file(WRITE "${OUTPUT}.new"
  "// Generated from ${INPUT}; edit that file instead.\n"
  "#include <string_view>\n"
  "namespace tracciato::data {\n"
  "extern const std::string_view ${SYMBOL};\n"
  "const std::string_view ${SYMBOL} = R\"${delimiter}(${content})${delimiter}\";\n"
  "}  // namespace tracciato::data\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
