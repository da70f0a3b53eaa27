// Scratch directories, whole-file reads and writes, and the exchange file.
#include "harness.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>

namespace e2e {
namespace {

const char kIniSection[] = "Export";

// Deletes `dir` with everything in it, read-only files included. Does not
// follow junctions or symbolic links into other folders.
bool RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = dir + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            bool isDir = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            bool isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if (isDir && !isLink)
                RemoveTree(path);
            else if (isDir)
                RemoveDirectoryA(path.c_str());
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
    return RemoveDirectoryA(dir.c_str()) != 0;
}

// `path` without 8.3 short names in it, so that it compares equal to the
// paths the program under test reports.
std::string LongPath(const std::string& path)
{
    char buf[MAX_PATH * 4];
    DWORD n = GetLongPathNameA(path.c_str(), buf, sizeof buf);
    return (n > 0 && n < sizeof buf) ? std::string(buf, n) : path;
}

}  // namespace

std::string SafeName(const std::string& s)
{
    std::string out;
    for (char c : s) {
        bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '_';
        out += keep ? c : '_';
    }
    return out.empty() ? "_" : out;
}

TempDir::TempDir(const std::string& tag)
{
    static std::atomic<unsigned> counter{0};
    char temp[MAX_PATH + 1];
    DWORD n = GetTempPathA(sizeof temp, temp);
    if (n == 0 || n >= sizeof temp) throw std::runtime_error("TempDir: no temporary folder");
    std::string base(temp, n);
    if (base.back() != '\\') base += '\\';
    std::string prefix = base + "zr-" + SafeName(tag) + "-" + std::to_string(GetCurrentProcessId()) + "-";
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::string path = prefix + std::to_string(counter++);
        if (CreateDirectoryA(path.c_str(), nullptr)) {
            path_ = LongPath(path);
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw std::runtime_error("TempDir: cannot create a folder under " + base);
}

TempDir::~TempDir()
{
    try {
        // A program that was just killed may hold its files for a moment.
        for (int attempt = 0; attempt < 20 && !RemoveTree(path_); ++attempt) {
            if (GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES) break;
            Sleep(50);
        }
    } catch (...) {
    }
}

bool FileExists(const std::string& path)
{
    DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(f, bytes.data() + done, chunk, &written, nullptr) || written == 0) break;
        done += written;
    }
    return CloseHandle(f) && done == bytes.size();
}

std::string ReadFileBytes(const std::string& path)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "";
    std::string bytes;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
    CloseHandle(f);
    return bytes;
}

std::vector<std::string> ListFiles(const std::string& dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadIni(const std::string& iniPath, const std::string& key, const std::string& missing)
{
    std::vector<char> buf(256);
    for (;;) {
        DWORD n = GetPrivateProfileStringA(kIniSection, key.c_str(), missing.c_str(), buf.data(),
                                           static_cast<DWORD>(buf.size()), iniPath.c_str());
        if (n + 1 < buf.size() || buf.size() >= (1u << 24)) return std::string(buf.data(), n);
        buf.resize(buf.size() * 4);
    }
}

void WriteIni(const std::string& iniPath, const std::string& key, const std::string& value)
{
    WritePrivateProfileStringA(kIniSection, key.c_str(), value.c_str(), iniPath.c_str());
}

}  // namespace e2e
