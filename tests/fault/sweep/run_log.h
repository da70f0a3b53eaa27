// What one run of lindmorh_faults wrote to its log (format in
// shim/state.h): the counted calls in order, the boxes it showed and the
// dialog answers it was given.
#pragma once

#include <string>
#include <vector>

namespace sweep {

struct CallEntry {
    std::string function;
    unsigned occurrence = 0;
    std::string path;
    std::string path2;    // the second path of a copy, move or rename
    std::string detail;   // what the call was asked to do
    std::string result;   // "ok", "error N" or "FAILED N"
    bool Injected() const { return result.rfind("FAILED", 0) == 0; }
    // "the 2nd CreateFileA"
    std::string Name() const;
};

struct BoxEntry {
    std::string caption;
    std::string text;
    std::string buttons;  // "OK", "Yes No", ...
    std::string answer;   // "ok", "yes", "no", "cancel", maybe with " (unplanned)"
};

struct RunLog {
    std::vector<CallEntry> calls;
    std::vector<BoxEntry> boxes;
    std::vector<std::string> dialogs;  // "Open\tPATH", "Save As\tcancel", ...
    std::vector<std::string> unknown;  // lines that fit no form
};

RunLog ParseLog(const std::string& text);

// "1st", "2nd", "3rd", "4th", ..., "11th", "12th", "13th", "21st"
std::string Ordinal(unsigned n);

}  // namespace sweep
