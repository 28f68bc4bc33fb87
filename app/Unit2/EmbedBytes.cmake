# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P EmbedBytes.cmake
# Writes a C++ source that defines `const unsigned char SYMBOL[]` holding the bytes of
# INPUT followed by one NUL (so an empty input still makes a valid array), and
# `const std::size_t SYMBOLSize`, the number of bytes without that NUL.
foreach(var INPUT OUTPUT SYMBOL)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "EmbedBytes.cmake: ${var} is not set")
  endif()
endforeach()

file(SIZE "${INPUT}" size)
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes per line keeps the generated file readable in a debugger.
string(REGEX REPLACE "((0x..,){16})" "\\1\n  " bytes "${bytes}")

file(WRITE "${OUTPUT}"
  "// Generated from ${INPUT} by EmbedBytes.cmake. Do not edit.\n"
  "#include <cstddef>\n\n"
  "extern const unsigned char ${SYMBOL}[];\n"
  "extern const std::size_t ${SYMBOL}Size;\n\n"
  "const unsigned char ${SYMBOL}[] = {\n  ${bytes}0x00};\n"
  "const std::size_t ${SYMBOL}Size = ${size};\n")
