# Writes a C++ source that defines a std::string_view over a text file's bytes.
# Run as: cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -DHEADER=<include> -P embed_text.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(([^,]*,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT} at build time; edits are overwritten.
#include \"${HEADER}\"

namespace {
constexpr char kText[] = {
    ${bytes}};
}  // namespace

const std::string_view ${SYMBOL}{kText, sizeof kText};
")
