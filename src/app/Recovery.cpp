#include "app/Recovery.h"

#include "app/MainForm.h"
#include "app/PresetFilePrompter.h"
#include "app/Session.h"
#include "formats/AtomicFile.h"
#include "app/DocumentWriter.h"
#include "app/FileCommands.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace mardex {

namespace fs = std::filesystem;

namespace {

constexpr const char* SourceSuffix = ".source";

std::string HashText(const std::string& text)
{
    std::uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(h));
    return out;
}

bool IsUnsavedName(const std::string& name)
{
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper == "UNTITLED";
}

// The program of a process, as /proc names it; empty when there is none.
std::string ProgramOf(const std::string& pid)
{
    std::ifstream in("/proc/" + pid + "/comm");
    std::string name;
    std::getline(in, name);
    return name;
}

// True when `pid` names a live process of this same program (a process
// number reused after a restart belongs to another program).
bool RunningLikeUs(const std::string& pid)
{
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) return false;
    const std::string program = ProgramOf(pid);
    return !program.empty() && program == ProgramOf("self");
}

} // namespace

std::string RecoveryCopyPath(const std::string& folder, const std::string& documentPath)
{
    std::string stem = fs::path(documentPath).stem().string();
    if (stem.empty()) stem = "UNTITLED";
    return (fs::path(folder) / (stem + "-" + HashText(documentPath) + ".mdx")).string();
}

bool WriteRecoveryCopy(Session& s, const std::string& folder, std::string& error)
{
    // The writer fills empty cells of the rows it writes: it works on the
    // store, which is put back so the grid shows what was typed.
    SheetStore typed = s.store;
    const std::string text = SheetDocumentText(s);
    s.store = std::move(typed);

    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::string copy = RecoveryCopyPath(folder, s.doc.CurrentFileName);
    AtomicWriteResult written = WriteFileAtomically(copy, text);
    if (written.ok)
        written = WriteFileAtomically(copy + SourceSuffix,
                                      s.doc.CurrentFileName + "\n" + std::to_string(getpid()) + "\n");
    error = written.error;
    return written.ok;
}

void RemoveRecoveryCopy(const std::string& copyPath)
{
    std::error_code ec;
    fs::remove(copyPath, ec);
    fs::remove(copyPath + SourceSuffix, ec);
}

std::vector<RecoveryCopy> RecoveryCopiesToOffer(const std::string& folder)
{
    std::vector<std::pair<fs::file_time_type, RecoveryCopy>> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const fs::path copy = entry.path();
        if (copy.extension() != ".mdx" || !entry.is_regular_file(ec)) continue;
        std::ifstream source(copy.string() + SourceSuffix);
        std::string document, writer;
        if (!std::getline(source, document) || document.empty()) continue;
        // The copy of another window still at work is not left behind.
        if (std::getline(source, writer) && RunningLikeUs(writer)) continue;
        const auto copyTime = fs::last_write_time(copy, ec);
        if (ec) continue;
        const auto documentTime = fs::last_write_time(document, ec);
        const bool documentGone = static_cast<bool>(ec);
        if (documentGone || IsUnsavedName(document) || copyTime > documentTime)
            found.push_back({copyTime, RecoveryCopy{copy.string(), document}});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<RecoveryCopy> copies;
    for (auto& [time, copy] : found) copies.push_back(std::move(copy));
    return copies;
}

std::string RecoveryQuestion(const RecoveryCopy& copy)
{
    return "Mardex was not closed normally. A recovery copy of " + copy.documentPath +
           " holds changes that were not saved.\n\nRestore it? (The document itself is only replaced when you save.)";
}

bool RestoreRecoveryCopy(Session& s, PresetFilePrompter& files, const RecoveryCopy& copy)
{
    files.nextOpen = copy.copyPath;
    const int opened = OpenFileCommand(s);
    files.nextOpen.reset();
    if (opened != 0 || s.doc.CurrentFileName != copy.copyPath) return false;
    s.doc.CurrentFileName = copy.documentPath;
    s.doc.DocumentFile = copy.documentPath;  // Save writes the document itself
    s.doc.DataChanged = true;
    ShowDocumentCaption(s);
    s.form.StatusText = copy.documentPath;  // the document's, not the hidden copy's path
    return true;
}

} // namespace mardex
