# Turns one file into a C++ source that defines its bytes as a constant array
# and a function returning them, so data ships inside the binary and needs no
# file beside it at run time.
#
# Run with: cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DHEADER=<include>
#                 -DNAMESPACE=<ns> -DFUNCTION=<name> -P EmbedBytes.cmake
foreach(var INPUT OUTPUT HEADER NAMESPACE FUNCTION)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "EmbedBytes.cmake: ${var} is not set")
    endif()
endforeach()

file(READ "${INPUT}" hex HEX)
file(SIZE "${INPUT}" size)
# Sixteen bytes per line, each written as 0xNN.
string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])"
       "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")

# A trailing NUL keeps the array non-empty for an empty input; it is not
# part of the returned bytes.
file(WRITE "${OUTPUT}"
"// Generated from ${INPUT} at build time; do not edit.
#include \"${HEADER}\"

namespace ${NAMESPACE} {

namespace {

constexpr std::uint8_t kBytes[] = {
${bytes}
0x00};

}  // namespace

std::span<const std::uint8_t> ${FUNCTION}() { return {kBytes, ${size}}; }

}  // namespace ${NAMESPACE}
")
