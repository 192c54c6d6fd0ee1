// The rendered sizes of the application icon, embedded as PNG files by the build.
#pragma once

#include <cstddef>

struct EmbeddedPng
{
    int size; // width and height in pixels
    const unsigned char* data;
    std::size_t length;
};

// Smallest first; generated from resources/mod_manager_icon.svg into the build tree.
extern const EmbeddedPng kModManagerIconPngs[];
extern const std::size_t kModManagerIconPngCount;
