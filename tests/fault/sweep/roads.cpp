#include "roads.h"

#include <algorithm>
#include <cstdio>
#include <cctype>
#include <optional>

#include "file_commands.h"

namespace sweep {
namespace {

// Names in the scenes. The work file is named as command 1 names it in
// its reply, and the host hands that name back as MyActiveFname.
const char kNative[] = "Smith family.lmy";
const char kGedcom[] = "Smith family.ged";
const char kOtherNative[] = "Jones tree.lmy";
const char kNewNameTyped[] = "Smith family 2024";  // the dialog adds ".LMY"
const char kNewName[] = "Smith family 2024.LMY";
const char kExport[] = "Smith export.ged";
const char kWork[] = "0E2A1F3C.LMY";
const char kExportWork[] = "0A1B2C3D.GED";
const char kErrorCaption[] = "LINDMORG.EXE";

// Larger than the copy's 1 MiB buffer, so that a copy reads and writes
// more than once and a failure can come after a part was written.
constexpr size_t kWorkSize = (1u << 20) + 70000;

std::string Lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool SameName(const std::string& a, const std::string& b) { return Lower(a) == Lower(b); }

std::optional<std::string> Find(const Files& files, const std::string& name)
{
    for (const auto& kv : files)
        if (SameName(kv.first, name)) return kv.second;
    return std::nullopt;
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

std::string Size(const std::optional<std::string>& content)
{
    return content ? std::to_string(content->size()) + " bytes" : std::string("absent");
}

// A path as the program may spell it, compared with a path of the scene:
// "\\?\" dropped, letter case ignored, relative names taken in the base
// directory (the program's current directory).
bool SamePath(std::string programPath, const std::string& path, const std::string& base)
{
    if (programPath.rfind("\\\\?\\", 0) == 0) programPath = programPath.substr(4);
    for (char& c : programPath)
        if (c == '/') c = '\\';
    bool absolute = programPath.size() > 1 && (programPath[1] == ':' || programPath[0] == '\\');
    if (!absolute) programPath = base + "\\" + programPath;
    return SameName(programPath, path);
}

// The failed call was the removal of that very file.
bool RemovalOf(const CallEntry* failed, const std::string& path, const std::string& base)
{
    if (!failed) return false;
    const std::string& f = failed->function;
    bool removal = f == "DeleteFileA" || f == "DeleteFileW" || f == "RemoveDirectoryA" || f == "RemoveDirectoryW" ||
                   (f == "SetFileInformationByHandle" && failed->detail.find("delete=1") != std::string::npos);
    return removal && SamePath(failed->path, path, base);
}

std::string IniText(const std::map<std::string, std::string>& values)
{
    std::string text = "[Export]\r\n";
    for (const auto& kv : values) text += kv.first + "=" + kv.second + "\r\n";
    return text;
}

class Problems {
public:
    void Add(const std::string& what) { list_.push_back(what); }
    std::vector<std::string> Take() { return std::move(list_); }

private:
    std::vector<std::string> list_;
};

// The reply of commands 1 and 2 split: the work file's bare name and the
// long path. False when it is not of that form.
bool SplitReply(const std::string& reply, std::string& name, std::string& longPath)
{
    size_t bar = reply.find('|');
    if (bar == std::string::npos) return false;
    name = reply.substr(0, bar);
    longPath = reply.substr(bar + 1);
    return !name.empty() && name.find_first_of("\\/:") == std::string::npos;
}

bool IsHexName(const std::string& name, const std::string& ext)
{
    if (name.size() != 8 + ext.size() || !SameName(name.substr(8), ext)) return false;
    return std::all_of(name.begin(), name.begin() + 8, [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

// Everything but the leftover files and the box, which Check adds.
class Judge {
public:
    Judge(const Road& road, const Scene& scene, const Setup& setup, const Outcome& run, const Outcome& clean,
          Problems& problems)
        : road_(road), scene_(scene), setup_(setup), run_(run), clean_(clean), p_(problems)
    {
    }

    // Bare names allowed in base\ and docs\ besides what was there before.
    std::vector<std::string> allowedBase, allowedDocs;

    bool Judged()
    {
        switch (road_.kind) {
        case Kind::Open: return Open();
        case Kind::SaveAs: return SaveAs();
        case Kind::Reserve: return Reserve();
        case Kind::Save: return Save(false);
        case Kind::CopyExport: return Save(true);
        case Kind::Discard: return Discard();
        case Kind::Version: return Version();
        }
        return false;
    }

private:
    const Road& road_;
    const Scene& scene_;
    const Setup& setup_;
    const Outcome& run_;
    const Outcome& clean_;
    Problems& p_;

    const std::string& Ini(const std::string& key) const { return run_.ini.at(key); }
    const std::string& IniBefore(const std::string& key) const { return setup_.iniBefore.at(key); }

    void KeysKept(const std::vector<std::string>& keys)
    {
        for (const std::string& key : keys)
            if (Ini(key) != IniBefore(key))
                p_.Add(key + " changed from " + Quote(IniBefore(key)) + " to " + Quote(Ini(key)));
    }

    // The document a save writes: the old one or the complete new one.
    // True when it is the new one.
    bool DocumentIsOldOrNew(const std::string& name, const std::string& newContent)
    {
        std::optional<std::string> before = Find(setup_.docsBefore, name);
        std::optional<std::string> after = Find(run_.docs, name);
        if (after && *after == newContent) return true;
        if (after != before)
            p_.Add("the document " + name + " is neither the old one (" + Size(before) +
                   ") nor the complete new one (" + std::to_string(newContent.size()) + " bytes): " + Size(after));
        return false;
    }

    // The work file is still there, unchanged, unless its content is safely
    // at the long name.
    void WorkFileKeptUnlessSaved(bool saved)
    {
        std::optional<std::string> work = Find(run_.base, setup_.work);
        if (work && *work != setup_.workContent) p_.Add("the work file " + setup_.work + " was changed");
        if (!work && !saved) p_.Add("the work file " + setup_.work + " is gone, but its content is not at the long name");
    }

    bool Open()
    {
        std::string reply = Ini("LongFnameGED");
        KeysKept({"LongFnameLMY", "MyActiveFname"});
        if (reply.empty()) return false;
        std::string name, longPath;
        if (!SplitReply(reply, name, longPath)) {
            p_.Add("the reply " + Quote(reply) + " is neither empty nor a work file and a long path");
            return false;
        }
        allowedBase.push_back(name);
        if (name.size() == 12 && SameName(name.substr(8), ".GED")) {
            // The empty native-extension file that reserved the digits.
            std::string placeholder = name.substr(0, 8) + ".lmy";
            std::optional<std::string> content = Find(run_.base, placeholder);
            if (content && !content->empty()) p_.Add("the placeholder " + placeholder + " is not empty");
            allowedBase.push_back(placeholder);
        }
        bool ok = true;
        if (longPath != setup_.chosen) {
            p_.Add("the reply's long path " + Quote(longPath) + " is not the chosen " + Quote(setup_.chosen));
            ok = false;
        }
        std::optional<std::string> staged = Find(run_.base, name);
        std::string document = *Find(setup_.docsBefore, setup_.document);
        if (!staged || *staged != document) {
            p_.Add("the reply names the work file " + name + ", which does not hold the document (" + Size(staged) +
                   ")");
            ok = false;
        }
        return ok;
    }

    bool SaveAs()
    {
        KeysKept({"MyActiveFname", "LongFnameGED"});
        bool saved = DocumentIsOldOrNew(setup_.document, setup_.workContent);
        allowedDocs.push_back(setup_.document);
        allowedBase.push_back(setup_.work);
        WorkFileKeptUnlessSaved(saved);
        const std::string& stored = Ini("LongFnameLMY");
        if (stored == setup_.chosen) {
            if (!saved)
                p_.Add("LongFnameLMY names " + Quote(stored) + ", which does not hold the document");
        } else if (stored != IniBefore("LongFnameLMY")) {
            p_.Add("LongFnameLMY is " + Quote(stored) + ": neither its previous value " +
                   Quote(IniBefore("LongFnameLMY")) + " nor the chosen name");
        }
        return saved && stored == setup_.chosen;
    }

    bool Reserve()
    {
        KeysKept({"LongFnameLMY", "MyActiveFname"});
        std::string reply = Ini("LongFnameGED");
        if (reply.empty()) return false;
        size_t bar = reply.find('|');
        std::string workPath = reply.substr(0, bar);
        size_t slash = workPath.rfind('\\');
        std::string dir = slash == std::string::npos ? std::string() : workPath.substr(0, slash);
        std::string name = slash == std::string::npos ? workPath : workPath.substr(slash + 1);
        if (bar == std::string::npos || reply.substr(bar + 1) != setup_.chosen || !SameName(dir, scene_.Base()) ||
            !IsHexName(name, ".GED")) {
            p_.Add("the reply " + Quote(reply) + " is neither empty nor a work path in the base directory and the "
                   "chosen name");
            return false;
        }
        if (Find(run_.base, name)) {
            p_.Add("the reserved work path " + name + " already exists");
            return false;
        }
        return true;
    }

    bool Save(bool exportCopy)
    {
        KeysKept(exportCopy ? std::vector<std::string>{"LongFnameLMY", "MyActiveFname"} : IniKeys());
        bool saved = DocumentIsOldOrNew(setup_.document, setup_.workContent);
        allowedDocs.push_back(setup_.document);
        allowedBase.push_back(setup_.work);
        WorkFileKeptUnlessSaved(saved);
        if (!exportCopy) return saved;
        const std::string& reply = Ini("LongFnameGED");
        const std::string& before = IniBefore("LongFnameGED");
        if (!saved) {
            if (reply != before) p_.Add("the reply " + Quote(before) + " was not kept after the failed copy: " + Quote(reply));
            return false;
        }
        if (reply == before) {
            if (!Find(run_.base, setup_.work))
                p_.Add("the reply still names the work file " + setup_.work + ", which is gone");
            return false;
        }
        if (!reply.empty()) p_.Add("the reply is " + Quote(reply) + ", neither empty nor kept");
        return reply.empty();
    }

    bool Discard()
    {
        KeysKept(IniKeys());
        std::optional<std::string> before = Find(setup_.docsBefore, setup_.document);
        std::optional<std::string> after = Find(run_.docs, setup_.document);
        if (after != before) p_.Add("the document " + setup_.document + " changed although the answer was No");
        std::optional<std::string> work = Find(run_.base, setup_.work);
        if (work && *work != setup_.workContent) p_.Add("the work file " + setup_.work + " was changed");
        allowedBase.push_back(setup_.work);
        return !work;
    }

    bool Version()
    {
        KeysKept({"LongFnameGED", "LongFnameLMY", "MyActiveFname"});
        bool recorded = true;
        for (const char* key : {"dwMajorVersion", "dwPlatformId"}) {
            const std::string& now = Ini(key);
            const std::string& truth = clean_.ini.at(key);
            if (now == truth) continue;
            recorded = false;
            if (now != IniBefore(key))
                p_.Add(std::string(key) + " is " + Quote(now) + ": neither its previous value " + Quote(IniBefore(key)) +
                       " nor the system's " + Quote(truth));
        }
        return recorded;
    }
};

// Files in `dir` that were not there before and are not allowed; each is
// a problem unless the failed call was its removal.
void Leftovers(const Files& before, const Files& after, const std::vector<std::string>& allowed,
               const std::string& dir, const std::string& where, const CallEntry* failed, const Scene& scene,
               Problems& p)
{
    for (const auto& kv : after) {
        const std::string& name = kv.first;
        if (Find(before, name)) continue;
        if (std::any_of(allowed.begin(), allowed.end(), [&](const std::string& a) { return SameName(a, name); }))
            continue;
        if (RemovalOf(failed, dir + "\\" + name, scene.Base())) continue;
        p.Add("a file " + name + " (" + std::to_string(kv.second.size()) + " bytes) was left " + where);
    }
}

}  // namespace

const std::vector<Road>& Roads()
{
    static const std::vector<Road> roads{
        {"cmd1-open", "1", Kind::Open, "command 1, a native document chosen"},
        {"cmd2-open", "2", Kind::Open, "command 2, a GEDCOM file chosen"},
        {"cmd3-new", "3", Kind::SaveAs, "command 3, saved under a new name"},
        {"cmd3-existing", "3", Kind::SaveAs, "command 3, saved over an existing document"},
        {"cmd4-export", "4", Kind::Reserve, "command 4, an export name chosen"},
        {"cmd5-yes", "5", Kind::Save, "command 5 answered Yes"},
        {"cmd5-no", "5", Kind::Discard, "command 5 answered No"},
        {"cmd6-yes", "6", Kind::CopyExport, "command 6 answered Yes"},
        {"cmd8-version", "8", Kind::Version, "command 8"},
    };
    return roads;
}

Setup Prepare(const Road& road, const Scene& scene)
{
    Setup s;
    std::map<std::string, std::string> ini{
        {"LongFnameGED", ""},
        {"LongFnameLMY", scene.InDocs(kNative)},
        {"MyActiveFname", kWork},
    };
    // The host's current document lies in docs\ on every road.
    e2e::WriteFileBytes(scene.InDocs(kNative), fc::Document("the family as last saved"));
    const std::string name = road.name;
    switch (road.kind) {
    case Kind::Open:
        s.document = road.command == std::string("1") ? kNative : kGedcom;
        if (s.document == kGedcom) e2e::WriteFileBytes(scene.InDocs(kGedcom), fc::Document("0 @I1@ INDI", kWorkSize));
        s.chosen = scene.InDocs(s.document);
        // When the Open dialog finds no such file it says so and comes back
        // (a failed existence test looks the same); the user then chooses
        // the same document again.
        s.plan.push_back("dialog " + s.chosen);
        s.plan.push_back("dialog " + s.chosen);
        break;
    case Kind::SaveAs:
        s.work = kWork;
        if (name == "cmd3-existing") {
            s.document = kOtherNative;
            e2e::WriteFileBytes(scene.InDocs(kOtherNative), fc::Document("the Jones tree"));
            s.plan.push_back("dialog " + scene.InDocs(kOtherNative));
        } else {
            s.document = kNewName;
            s.plan.push_back("dialog " + scene.InDocs(kNewNameTyped));
        }
        s.chosen = scene.InDocs(s.document);
        break;
    case Kind::Reserve:
        s.document = kExport;
        s.chosen = scene.InDocs(kExport);
        s.plan.push_back("dialog " + s.chosen);
        break;
    case Kind::Save:
    case Kind::Discard:
        s.work = kWork;
        s.document = kNative;
        s.plan.push_back(road.kind == Kind::Save ? "answer yes" : "answer no");
        break;
    case Kind::CopyExport:
        s.work = kExportWork;
        s.document = kExport;
        e2e::WriteFileBytes(scene.InDocs(kExport), fc::Document("the export sent last year"));
        ini["LongFnameGED"] = scene.InBase(kExportWork) + "|" + scene.InDocs(kExport);
        s.plan.push_back("answer yes");
        break;
    case Kind::Version:
        ini["dwMajorVersion"] = "3";
        ini["dwPlatformId"] = "0";
        break;
    }
    if (!s.work.empty()) {
        s.workContent = fc::Document("edited by the host: " + name, kWorkSize);
        e2e::WriteFileBytes(scene.InBase(s.work), s.workContent);
    }
    e2e::WriteFileBytes(scene.Ini(), IniText(ini));
    for (const std::string& key : IniKeys()) s.iniBefore[key] = ini.count(key) ? ini[key] : kMissing;
    s.docsBefore = ReadFolder(scene.Docs(), false);
    s.baseBefore = ReadFolder(scene.Base(), true);
    return s;
}

// The checks of one run but the error box; true when the command did its
// work.
static bool Examine(const Road& road, const Scene& scene, const Setup& setup, const Outcome& run,
                   const CallEntry* failed, const Outcome& clean, Problems& p)
{
    if (!run.started) {
        p.Add("the program did not start");
        return false;
    }
    if (!run.ended) p.Add("the program did not end in time (hang); it was killed");
    else if (run.exitCode != 0) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%lX", static_cast<unsigned long>(run.exitCode));
        p.Add(std::string("exit code ") + code + " (crash?)");
    }
    for (const std::string& line : run.log.unknown) p.Add("a log line not understood: " + line);
    for (const BoxEntry& box : run.log.boxes)
        if (box.answer.find("unplanned") != std::string::npos)
            p.Add("an unexpected question: " + Quote(box.caption) + " " + Quote(box.text));

    // Documents that the road does not write keep their content.
    for (const auto& kv : setup.docsBefore) {
        bool written = road.kind != Kind::Open && road.kind != Kind::Discard && SameName(kv.first, setup.document);
        std::optional<std::string> after = Find(run.docs, kv.first);
        if (!written && (!after || *after != kv.second)) p.Add("the document " + kv.first + " was changed or removed");
    }

    Judge judge(road, scene, setup, run, clean, p);
    bool done = judge.Judged();
    Leftovers(setup.docsBefore, run.docs, judge.allowedDocs, scene.Docs(), "beside the documents", failed, scene, p);
    judge.allowedBase.push_back(kIni);
    Leftovers(setup.baseBefore, run.base, judge.allowedBase, scene.Base(), "in the base directory", failed, scene, p);
    return done;
}

std::vector<std::string> Check(const Road& road, const Scene& scene, const Setup& setup, const Outcome& run,
                               const CallEntry* failed, const Outcome& clean)
{
    Problems p;
    bool done = Examine(road, scene, setup, run, failed, clean, p);
    bool errorBox = std::any_of(run.log.boxes.begin(), run.log.boxes.end(),
                                [](const BoxEntry& b) { return b.caption == kErrorCaption; });
    if (!done && !errorBox && run.ended) p.Add("no error box, although the command did not finish its work");
    return p.Take();
}

bool Finished(const Road& road, const Scene& scene, const Setup& setup, const Outcome& run, const Outcome& clean)
{
    Problems ignored;
    return Examine(road, scene, setup, run, nullptr, clean, ignored);
}

}  // namespace sweep
