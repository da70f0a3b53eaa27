#include "texts.h"

#include <cstdio>

const char _sg_mssgVerifySave_03[] = "Verify save?";
const char _sg_mssgBoxVersion[] = "Tamberlo 3.1";
const char kErrorCaption[] = "LINDMORG.EXE";

const char kReasonSameFile[] = "Both names lead to the same file.";
const char kReasonNotAWorkFile[] =
    "The exchange file does not name a work file in ZivaRari's own folder, so nothing was copied or removed.";
const char kReasonIsTheDocument[] =
    "The exchange file names the document itself as the work file, so nothing was copied or removed.";
const char kReasonIsAFolder[] = "It is a folder, not a file.";

std::string VerifySaveText(const std::string& path)
{
    constexpr size_t kLine = 64;
    std::string text = std::string(_sg_mssgVerifySave_03) + "\n\n";
    for (size_t pos = 0; pos < path.size(); pos += kLine) {
        if (pos) text += '\n';
        text += path.substr(pos, kLine);
    }
    return text;
}

std::string ErrorText(unsigned short code)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(code));
    return std::string("Error, #") + digits + " in ZIVARARI";
}

std::string ErrorReportText(unsigned short code, const std::string& detail)
{
    return ErrorText(code) + "\n\n" + detail;
}

std::string CopyFailureDetail(const std::string& source, const std::string& target, const std::string& reason)
{
    return source + "\ncould not be copied to\n" + target + "\n\n" + reason;
}

std::string WorkFileFailureDetail(const std::string& baseDir, const std::string& reason)
{
    return "No work file could be created in\n" + baseDir + "\n\n" + reason;
}

std::string ExchangeReadFailureDetail(const std::string& iniPath, const std::string& reason)
{
    return "The exchange file\n" + iniPath + "\ncould not be read.\n\n" + reason;
}

std::string UnrepresentableNameDetail(const std::string& path)
{
    return path +
           "\ncannot be passed on: its name holds characters that the system's code page cannot hold.\n\n"
           "Rename the file, or move it to a folder whose name uses other characters.";
}

std::string ExchangeBusyDetail(const std::string& iniPath)
{
    return "The exchange file\n" + iniPath +
           "\nis in use by another ZivaRari.\n\nIt stayed busy for several seconds. Try again.";
}

std::string RemovalFailureDetail(const std::string& path, const std::string& reason)
{
    return "The work file\n" + path + "\ncould not be removed.\n\n" + reason;
}
