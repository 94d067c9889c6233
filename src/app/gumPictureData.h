#pragma once
#include <cstddef>

// One picture built into the program: the bytes of a PNG file, by name.
struct CgumPictureData
{
    const char* name;
    const unsigned char* data;
    size_t size;
};

// The built-in picture of that name (the file name without ".png"), or null.
const CgumPictureData* gumFindPictureData(const char* name);
