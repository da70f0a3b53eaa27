// A minimal PNG writer for screenshots: 8-bit RGB, no compression, no
// dependencies, so it also builds and runs outside Windows.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// The complete PNG file for a w x h image; `rgb` holds the rows top to
// bottom, 3 bytes per pixel. Empty when the sizes do not match.
std::vector<unsigned char> EncodePng(int w, int h, const std::vector<unsigned char>& rgb);

// Encodes and writes the image to `path`; false on bad sizes or I/O error.
bool WritePng(const std::string& path, int w, int h, const std::vector<unsigned char>& rgb);

}  // namespace e2e
