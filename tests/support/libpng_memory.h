// Test and benchmark support: libpng reading from and writing to memory, so
// that reference PNGs never touch the disk. Pass a Bytes* to png_set_write_fn
// with appendOutput and noFlush, or a Cursor* to png_set_read_fn with readInput.
#pragma once

#include <png.h>

#include <algorithm>

#include "platform/files.h"

inline void appendOutput(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

inline void noFlush(png_structp) {}

struct Cursor {
    const Bytes* file;
    std::size_t position;
};

inline void readInput(png_structp png, png_bytep data, png_size_t length) {
    auto* cursor = static_cast<Cursor*>(png_get_io_ptr(png));
    if (length > cursor->file->size() - cursor->position) png_error(png, "read past the end");
    std::copy_n(cursor->file->data() + cursor->position, length, data);
    cursor->position += length;
}
