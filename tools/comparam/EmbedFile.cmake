# Writes a C++ source holding the bytes of a file:  cmake -DINPUT=... -DOUTPUT=... -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes a line keep the generated file readable in a debugger.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n  " bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp" "// Generated from ${name} by EmbedFile.cmake; do not edit.
#include \"EmbeddedSample.h\"

namespace NComParamTool {

const char embeddedSampleName[] = \"${name}\";
const unsigned char embeddedSampleData[] = {
  ${bytes}0x00};
const std::size_t embeddedSampleSize = ${size};

}  // namespace NComParamTool
")
# Only a changed content touches the output, so an unchanged sample rebuilds nothing.
execute_process(COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${OUTPUT}.tmp" "${OUTPUT}")
file(REMOVE "${OUTPUT}.tmp")
