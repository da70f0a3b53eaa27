#include "texts.h"

const wchar_t _sg_mssgVerifySave_03[] = L"Verify save?";
const wchar_t _sg_mssgBoxVersion[] = L"Tamberlo 3.1";
const wchar_t kErrorCaption[] = L"LINDMORG.EXE";

const wchar_t kReasonSameFile[] = L"Both names lead to the same file.";
const wchar_t kReasonNotAWorkFile[] =
    L"The exchange file does not name a work file in ZivaRari's own folder, so nothing was copied or removed.";
const wchar_t kReasonIsTheDocument[] =
    L"The exchange file names the document itself as the work file, so nothing was copied or removed.";
const wchar_t kReasonIsAFolder[] = L"It is a folder, not a file.";

namespace {
bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

std::wstring VerifySaveText(const std::wstring& path)
{
    constexpr size_t kLine = 64;
    std::wstring text = std::wstring(_sg_mssgVerifySave_03) + L"\n\n";
    size_t onLine = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        // A low surrogate belongs to the character before it.
        const bool continues = IsLowSurrogate(path[i]) && i > 0 && IsHighSurrogate(path[i - 1]);
        if (!continues) {
            if (onLine == kLine) {
                text += L'\n';
                onLine = 0;
            }
            ++onLine;
        }
        text += path[i];
    }
    return text;
}

std::wstring ErrorText(unsigned short code)
{
    std::wstring digits;
    for (int shift = 12; shift >= 0; shift -= 4) digits += L"0123456789ABCDEF"[(code >> shift) & 0xF];
    return L"Error, #" + digits + L" in ZIVARARI";
}

std::wstring ErrorReportText(unsigned short code, const std::wstring& detail)
{
    return ErrorText(code) + L"\n\n" + detail;
}

std::wstring CopyFailureDetail(const std::wstring& source, const std::wstring& target, const std::wstring& reason)
{
    return source + L"\ncould not be copied to\n" + target + L"\n\n" + reason;
}

std::wstring WorkFileFailureDetail(const std::wstring& baseDir, const std::wstring& reason)
{
    return L"No work file could be created in\n" + baseDir + L"\n\n" + reason;
}

std::wstring ExchangeReadFailureDetail(const std::wstring& iniPath, const std::wstring& reason)
{
    return L"The exchange file\n" + iniPath + L"\ncould not be read.\n\n" + reason;
}

std::wstring UnrepresentableNameDetail(const std::wstring& path)
{
    return path +
           L"\ncannot be passed on: its name holds characters that the system's code page cannot hold.\n\n"
           L"Rename the file, or move it to a folder whose name uses other characters.";
}

std::wstring TooLongForHostDetail(const std::wstring& path)
{
    return path +
           L"\ncannot be passed on: its path is longer than Lindmory can take, even in its short form.\n\n"
           L"Move the file to a folder with a shorter path.";
}

std::wstring ExchangeBusyDetail(const std::wstring& iniPath)
{
    return L"The exchange file\n" + iniPath +
           L"\nis in use by another ZivaRari.\n\nIt stayed busy for several seconds. Try again.";
}

std::wstring RemovalFailureDetail(const std::wstring& path, const std::wstring& reason)
{
    return L"The work file\n" + path + L"\ncould not be removed.\n\n" + reason;
}
