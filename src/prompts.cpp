#include "prompts.h"

#include "texts.h"

namespace {
void ShowError(const std::wstring& text)
{
    MessageBoxExW(GetFocus(), text.c_str(), kErrorCaption, MB_OK | MB_ICONHAND, 0);
}
}  // namespace

bool _pg_mssgVerifySave(const std::wstring& path)
{
    std::wstring text = VerifySaveText(path);
    int answer = MessageBoxExW(GetFocus(), text.c_str(), _sg_mssgBoxVersion, MB_YESNO | MB_ICONQUESTION, 0);
    return answer == IDYES;
}

void _PG_errCODE(unsigned short code) { ShowError(ErrorText(code)); }

void ReportError(unsigned short code, const std::wstring& detail) { ShowError(ErrorReportText(code, detail)); }

std::wstring SystemReason(DWORD error)
{
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n && buffer ? std::wstring(buffer, n) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    if (text.empty()) text = L"System error " + std::to_wstring(error) + L".";
    return text;
}

void ReportNameNotForHost(const std::wstring& path, HostPathProblem problem)
{
    ReportError(kErrCopyFailed, problem == HostPathProblem::Length ? TooLongForHostDetail(path)
                                                                   : UnrepresentableNameDetail(path));
}
