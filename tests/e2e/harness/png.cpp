#include "png.h"

#include <cstdint>
#include <cstdio>

namespace e2e {
namespace {

const std::size_t kMaxStoredBlock = 65535;

std::uint32_t Crc32(const unsigned char* data, std::size_t size, std::uint32_t crc = 0)
{
    static const std::vector<std::uint32_t> table = [] {
        std::vector<std::uint32_t> t(256);
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(const std::vector<unsigned char>& data)
{
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutU32(std::vector<unsigned char>& out, std::uint32_t v)
{
    out.push_back(static_cast<unsigned char>(v >> 24));
    out.push_back(static_cast<unsigned char>(v >> 16));
    out.push_back(static_cast<unsigned char>(v >> 8));
    out.push_back(static_cast<unsigned char>(v));
}

void PutChunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& body)
{
    PutU32(out, static_cast<std::uint32_t>(body.size()));
    std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutU32(out, Crc32(out.data() + start, out.size() - start));
}

// zlib stream of `raw` made of stored (uncompressed) deflate blocks.
std::vector<unsigned char> StoredZlib(const std::vector<unsigned char>& raw)
{
    std::vector<unsigned char> z = {0x78, 0x01};
    std::size_t pos = 0;
    do {
        std::size_t len = raw.size() - pos;
        if (len > kMaxStoredBlock) len = kMaxStoredBlock;
        bool last = pos + len == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<unsigned char>(len));
        z.push_back(static_cast<unsigned char>(len >> 8));
        z.push_back(static_cast<unsigned char>(~len));
        z.push_back(static_cast<unsigned char>(~len >> 8));
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + len);
        pos += len;
    } while (pos < raw.size());
    PutU32(z, Adler32(raw));
    return z;
}

}  // namespace

std::vector<unsigned char> EncodePng(int w, int h, const std::vector<unsigned char>& rgb)
{
    if (w <= 0 || h <= 0) return {};
    std::size_t row = static_cast<std::size_t>(w) * 3;
    if (rgb.size() != row * static_cast<std::size_t>(h)) return {};

    std::vector<unsigned char> raw;
    raw.reserve((row + 1) * h);
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);  // filter type: none
        raw.insert(raw.end(), rgb.begin() + y * row, rgb.begin() + (y + 1) * row);
    }

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> ihdr;
    PutU32(ihdr, static_cast<std::uint32_t>(w));
    PutU32(ihdr, static_cast<std::uint32_t>(h));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit, RGB, deflate, adaptive filters, no interlace
    PutChunk(png, "IHDR", ihdr);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", {});
    return png;
}

bool WritePng(const std::string& path, int w, int h, const std::vector<unsigned char>& rgb)
{
    std::vector<unsigned char> png = EncodePng(w, h, rgb);
    if (png.empty()) return false;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    if (std::fclose(f) != 0) ok = false;
    if (!ok) std::remove(path.c_str());
    return ok;
}

}  // namespace e2e
