# Writes OUTPUT, a C++ source that defines ASSET_<NAME> (see assets.h) holding
# the bytes of INPUT. Run as: cmake -DNAME=... -DINPUT=... -DOUTPUT=... -P embed.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
if(size EQUAL 0)
  message(FATAL_ERROR "asset ${INPUT} is empty")
endif()

# Two hex digits become one byte literal; sixteen of them make a line.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n  " bytes "${bytes}")
string(STRIP "${bytes}" bytes)

get_filename_component(source_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}"
"// Generated at build time from assets/${source_name}; not to be edited.
#include \"assets.h\"

namespace {

const std::uint8_t bytes[${size}] = {
  ${bytes}
};

}  // namespace

const Asset ASSET_${NAME}{bytes, sizeof bytes};
")
