#include "prompts.h"

#include "texts.h"

namespace {
void ShowError(const std::string& text)
{
    MessageBoxExA(GetFocus(), text.c_str(), kErrorCaption, MB_OK | MB_ICONHAND, 0);
}
}  // namespace

bool _pg_mssgVerifySave(const std::string& path)
{
    std::string text = VerifySaveText(path);
    int answer = MessageBoxExA(GetFocus(), text.c_str(), _sg_mssgBoxVersion, MB_YESNO | MB_ICONQUESTION, 0);
    return answer == IDYES;
}

void _PG_errCODE(unsigned short code) { ShowError(ErrorText(code)); }

void ReportError(unsigned short code, const std::string& detail) { ShowError(ErrorReportText(code, detail)); }

std::string SystemReason(DWORD error)
{
    char* buffer = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = n && buffer ? std::string(buffer, n) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    if (text.empty()) text = "System error " + std::to_string(error) + ".";
    return text;
}
