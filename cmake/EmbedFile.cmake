# Turns a binary file into a C++ source that defines `const std::span<const std::uint8_t> SYMBOL`.
# Run as: cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -DHEADER=path/of/declaring.h -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.\n#include \"${HEADER}\"\n\nnamespace {\nconstexpr std::uint8_t kData[] = {\n    ${bytes}\n};\n} // namespace\n\nconst std::span<const std::uint8_t> ${SYMBOL}{kData};\n")

