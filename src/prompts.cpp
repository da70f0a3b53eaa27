#include "prompts.h"

#include <windows.h>

#include "texts.h"

bool _pg_mssgVerifySave(const std::string& path)
{
    std::string text = VerifySaveText(path);
    int answer = MessageBoxExA(GetFocus(), text.c_str(), _sg_mssgBoxVersion, MB_YESNO | MB_ICONQUESTION, 0);
    return answer == IDYES;
}

void _PG_errCODE(unsigned short code)
{
    std::string text = ErrorText(code);
    MessageBoxExA(GetFocus(), text.c_str(), kErrorCaption, MB_OK | MB_ICONHAND, 0);
}
