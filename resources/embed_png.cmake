# Writes OUTPUT, a C++ source holding each of the PNG files PNGS (named mod_manager_icon_<size>.png)
# as a byte array in the table declared by resources/mod_manager_icon_data.h.
# Run as: cmake -DOUTPUT=<file> -DPNGS=<a;b;...> -P embed_png.cmake

set(arrays "")
set(entries "")
foreach(png IN LISTS PNGS)
    get_filename_component(name "${png}" NAME_WE)
    string(REGEX REPLACE "^.*_([0-9]+)$" "\\1" size "${name}")
    file(READ "${png}" hex HEX)
    string(LENGTH "${hex}" hex_length)
    if(hex_length EQUAL 0)
        message(FATAL_ERROR "The rendered icon ${png} is empty.")
    endif()
    # Sixteen bytes to a line keeps the generated file readable in a debugger.
    string(REPEAT "[0-9a-f]" 32 line_pattern)
    string(REGEX REPLACE "(${line_pattern})" "\\1\n" bytes "${hex}")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
    string(REGEX REPLACE "\n" "\n    " bytes "${bytes}")
    string(APPEND arrays "const unsigned char png${size}[] = {\n    ${bytes}\n};\n")
    string(APPEND entries "    {${size}, png${size}, sizeof png${size}},\n")
endforeach()

set(content "// Generated at build time from resources/mod_manager_icon.svg; do not edit.
#include \"resources/mod_manager_icon_data.h\"

namespace {
${arrays}} // namespace

const EmbeddedPng kModManagerIconPngs[] = {
${entries}};

const std::size_t kModManagerIconPngCount = sizeof kModManagerIconPngs / sizeof kModManagerIconPngs[0];
")

# Only touch the file when it changes, so that an unchanged icon does not rebuild the library.
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
    if(old STREQUAL content)
        return()
    endif()
endif()
file(WRITE "${OUTPUT}" "${content}")
