// Checks lindmorh.exe as it comes out of a release archive, from Windows'
// side: its PE form (PE32 or PE32+), no debug sections and no symbol table,
// its version information against the archive's version, and that it runs
// command 8 in its own folder.
//
// Usage: archive_probe EXE VERSION PE32|PE32+
// Prints what it found; exit code 0 when everything matches, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int g_failures = 0;

void Fail(const std::string& what)
{
    std::printf("FAIL: %s\n", what.c_str());
    ++g_failures;
}

std::string ReadAll(const std::string& path)
{
    std::string bytes;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return bytes;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got) bytes.append(buf, got);
    CloseHandle(f);
    return bytes;
}

template <typename T>
bool At(const std::string& bytes, size_t offset, T& out)
{
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return false;
    std::memcpy(&out, bytes.data() + offset, sizeof(T));
    return true;
}

// The PE headers and the section table.
void CheckImage(const std::string& exe, const std::string& expectedKind)
{
    const std::string bytes = ReadAll(exe);
    IMAGE_DOS_HEADER dos;
    if (!At(bytes, 0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return Fail("not an MZ executable: " + exe);
    DWORD signature = 0;
    IMAGE_FILE_HEADER file;
    WORD magic = 0;
    const size_t fileAt = static_cast<size_t>(dos.e_lfanew) + 4;
    if (!At(bytes, fileAt - 4, signature) || signature != IMAGE_NT_SIGNATURE || !At(bytes, fileAt, file) ||
        !At(bytes, fileAt + sizeof file, magic))
        return Fail("no PE header");

    const char* kind = magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC   ? "PE32"
                       : magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC ? "PE32+"
                                                                : "unknown";
    std::printf("format: %s, machine 0x%04x\n", kind, file.Machine);
    if (expectedKind != kind) Fail("expected " + expectedKind + ", found " + kind);
    const WORD expectedMachine = expectedKind == "PE32+" ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386;
    if (file.Machine != expectedMachine) Fail("machine does not match " + expectedKind);

    std::printf("symbols: %lu\n", static_cast<unsigned long>(file.NumberOfSymbols));
    if (file.NumberOfSymbols != 0) Fail("the executable still has a symbol table");

    // Names longer than eight characters are "/offset" into the string
    // table that follows the (empty) symbol table.
    const size_t strings = static_cast<size_t>(file.PointerToSymbolTable) + file.NumberOfSymbols * 18u;
    const size_t sectionsAt = fileAt + sizeof file + file.SizeOfOptionalHeader;
    std::string names;
    for (WORD i = 0; i < file.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER section;
        if (!At(bytes, sectionsAt + i * sizeof section, section)) return Fail("section table cut short");
        std::string name(reinterpret_cast<const char*>(section.Name),
                         strnlen(reinterpret_cast<const char*>(section.Name), IMAGE_SIZEOF_SHORT_NAME));
        if (name.size() > 1 && name[0] == '/' && file.PointerToSymbolTable != 0) {
            size_t offset = strings + std::strtoul(name.c_str() + 1, nullptr, 10);
            if (offset < bytes.size()) name = bytes.c_str() + offset;
        }
        names += (names.empty() ? "" : " ") + name;
        if (name.rfind(".debug", 0) == 0 || name.rfind(".zdebug", 0) == 0 || name == ".gnu_debuglink")
            Fail("debug section " + name);
    }
    std::printf("sections: %s\n", names.c_str());
}

// "3.1.0" -> {3, 1, 0}.
std::vector<unsigned> VersionParts(const std::string& text)
{
    std::vector<unsigned> parts;
    const char* p = text.c_str();
    while (*p) {
        char* end = nullptr;
        parts.push_back(static_cast<unsigned>(std::strtoul(p, &end, 10)));
        if (end == p) break;
        p = *end == '.' ? end + 1 : end;
    }
    return parts;
}

void CheckVersion(const std::string& exe, const std::string& version)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    if (!size) return Fail("no version information");
    std::vector<char> info(size);
    if (!GetFileVersionInfoA(exe.c_str(), 0, size, info.data())) return Fail("version information unreadable");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
        return Fail("no fixed file information");
    std::vector<unsigned> parts = VersionParts(version);
    parts.resize(4, 0);
    const DWORD ms = parts[0] << 16 | parts[1];
    const DWORD ls = parts[2] << 16 | parts[3];
    std::printf("fixed file version %lu.%lu.%lu.%lu, product version %lu.%lu.%lu.%lu\n",
                fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xFFFF, fixed->dwFileVersionLS >> 16,
                fixed->dwFileVersionLS & 0xFFFF, fixed->dwProductVersionMS >> 16,
                fixed->dwProductVersionMS & 0xFFFF, fixed->dwProductVersionLS >> 16,
                fixed->dwProductVersionLS & 0xFFFF);
    if (fixed->dwFileVersionMS != ms || fixed->dwFileVersionLS != ls) Fail("FILEVERSION is not " + version);
    if (fixed->dwProductVersionMS != ms || fixed->dwProductVersionLS != ls) Fail("PRODUCTVERSION is not " + version);

    struct Translation {
        WORD language;
        WORD codePage;
    }* translations = nullptr;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                        &length) ||
        length < sizeof(Translation))
        return Fail("no translation in the version information");
    char block[64];
    std::snprintf(block, sizeof block, "\\StringFileInfo\\%04x%04x\\", translations[0].language,
                  translations[0].codePage);
    for (const char* key : {"FileVersion", "ProductVersion"}) {
        char* value = nullptr;
        std::string path = std::string(block) + key;
        if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value) {
            Fail(std::string("no ") + key);
            continue;
        }
        std::printf("%s: %s\n", key, value);
        if (version != value) Fail(std::string(key) + " is \"" + value + "\", not \"" + version + "\"");
    }
}

bool AllDigits(const std::string& s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// Command 8 in the program's own folder, started from another working
// directory: an existing exchange file receives the version values.
void CheckCommandEight(const std::string& exe)
{
    const std::string dir = exe.substr(0, exe.find_last_of('\\'));
    const std::string ini = dir + "\\LINDMORY.INI";
    HANDLE f = CreateFileA(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return Fail("cannot write " + ini);
    const char text[] = "[Export]\r\nLongFnameLMY=C:\\Family\\Smith.lmy\r\n";
    DWORD written = 0;
    WriteFile(f, text, sizeof text - 1, &written, nullptr);
    CloseHandle(f);

    std::string line = "\"" + exe + "\" 8";
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    char cwd[MAX_PATH];
    GetTempPathA(sizeof cwd, cwd);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, cwd, &startup, &process))
        return Fail("cannot start " + exe + " (error " + std::to_string(GetLastError()) + ")");
    CloseHandle(process.hThread);
    const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    if (!ended) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    if (!ended) return Fail("command 8 did not end within 30 s");
    std::printf("command 8: exit code %lu\n", static_cast<unsigned long>(code));
    if (code != 0) Fail("exit code is not 0");

    auto read = [&](const char* key) {
        char value[64] = {};
        GetPrivateProfileStringA("Export", key, "<missing>", value, sizeof value, ini.c_str());
        return std::string(value);
    };
    const std::string major = read("dwMajorVersion"), platform = read("dwPlatformId");
    std::printf("command 8 wrote dwMajorVersion=%s dwPlatformId=%s\n", major.c_str(), platform.c_str());
    if (!AllDigits(major) || major == "0") Fail("dwMajorVersion is no version number");
    if (platform != "2") Fail("dwPlatformId is not 2 (Windows NT)");
    if (read("LongFnameLMY") != "C:\\Family\\Smith.lmy") Fail("command 8 changed LongFnameLMY");
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: archive_probe EXE VERSION PE32|PE32+\n");
        return 2;
    }
    const std::string exe = argv[1], version = argv[2], kind = argv[3];
    std::printf("%s\n", exe.c_str());
    CheckImage(exe, kind);
    CheckVersion(exe, version);
    CheckCommandEight(exe);
    std::printf("%s\n", g_failures ? "archive_probe: FAILED" : "archive_probe: all checks passed");
    return g_failures ? 1 : 0;
}
