#include "app/DesignFileDialogs.h"

#include "app/Session.h"
#include "formats/AtomicFile.h"
#include "formats/InputFile.h"
#include "text/LineReader.h"
#include "text/NumberText.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace fs = std::filesystem;

namespace mardex {

namespace {

bool IsRegularFile(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool Glob(const char* name, const char* pattern)
{
    for (; *pattern; ++pattern) {
        if (*pattern == '*') {
            for (const char* rest = name;; ++rest) {
                if (Glob(rest, pattern + 1)) return true;
                if (!*rest) return false;
            }
        }
        if (!*name) return false;
        if (*pattern != '?' && Lower(*pattern) != Lower(*name)) return false;
        ++name;
    }
    return !*name;
}

std::string Last30(const std::string& text) { return text.size() <= 30 ? text : text.substr(text.size() - 30); }

// A whole file's bytes; nullopt when it cannot be read.
std::optional<std::string> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) return std::nullopt;
    return bytes;
}

} // namespace

const std::vector<std::string>& FileChooser::PatternItems()
{
    static const std::vector<std::string> items{"*.dgn", "*.*"};
    return items;
}

bool MatchesFilePattern(const std::string& name, const std::string& pattern)
{
    if (pattern == "*.*" || pattern == "*") return true;
    return Glob(name.c_str(), pattern.c_str());
}

void FileChooser::SetFolder(const std::string& path)
{
    folder = path;
    Label3 = Last30(folder);
    Refresh();
}

void FileChooser::SetPattern(const std::string& chosen)
{
    pattern = chosen;
    Refresh();
}

void FileChooser::Refresh()
{
    files.clear();
    selected = -1;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2)) continue;
        const std::string name = it->path().filename().string();
        if (MatchesFilePattern(name, pattern)) files.push_back(name);
    }
    std::sort(files.begin(), files.end());
}

void FileChooser::ClickFile(const std::string& name)
{
    Refresh();
    fileName = name;
    const auto it = std::find(files.begin(), files.end(), name);
    selected = it == files.end() ? -1 : static_cast<int>(it - files.begin());
}

std::string FileChooser::ChosenPath() const
{
    if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) return folder + fileName;
    return folder + "/" + fileName;
}

std::vector<std::string> FileChooser::SubFolders() const
{
    std::vector<std::string> out;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (it->is_directory(ec2)) out.push_back(it->path().filename().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

void DesignFileDialogModel::Form_Load(const std::string& defaultSeed, const std::string& startFolder)
{
    loaded = true;
    Label6 = defaultSeed;
    chooser.SetFolder(startFolder);
    chooser.fileName = chooser.selected >= 0 ? chooser.files[chooser.selected] : std::string();
}

void DesignFileDialogModel::Label6_Click(Session& s)
{
    if (!s.stickup.SeedFilePath.empty()) Label6 = s.stickup.SeedFilePath;
}

bool DesignFileDialogModel::Command1_Click(Session& s)
{
    try {
        const std::string target = chooser.ChosenPath();
        if (IsRegularFile(target)) {
            const Answer a = s.ask.Ask(MessageBox{OverwriteQuestion, Buttons::YesNo, Icon::None, "warning"});
            if (a != Answer::Yes) return false;
        }
        // Kept until the drawing completes: a failed one puts it back.
        std::optional<std::string> replaced;
        if (IsRegularFile(target)) replaced = FileBytes(target);
        std::string error;
        while (!CopySeedFile(Label6, target, error)) {
            const Answer a = s.ask.Ask(MessageBox{SeedCopyQuestion, Buttons::OKCancel, Icon::None, "Warning"});
            if (a != Answer::OK) return false;
        }
        s.stickup.SeedCopied = true;
        s.stickup.ReplacedDesignFile = std::move(replaced);
        s.stickup.DesignFilePath = target;
        s.stickup.TargetChosen = true;
        return true;
    } catch (const std::exception&) {
        s.ask.Message("Program Erroroccured in command1_click");
        return false;
    }
}

void SeedFileDialogModel::Form_Load(const std::string& startFolder)
{
    loaded = true;
    chooser.SetFolder(startFolder);
    chooser.fileName = chooser.selected >= 0 ? chooser.files[chooser.selected] : std::string();
}

void SeedFileDialogModel::Command1_Click(Session& s, DesignFileDialogModel& target)
{
    s.stickup.SeedFilePath = chooser.ChosenPath();
    target.Label6 = s.stickup.SeedFilePath;
}

void SeedFileDialogModel::File1_DblClick(Session& s, DesignFileDialogModel& target, const std::string& name)
{
    chooser.ClickFile(name);
    Command1_Click(s, target);
}

bool CopySeedFile(const std::string& seed, const std::string& target, std::string& error)
{
    std::error_code ec;
    if (!IsRegularFile(seed)) {
        error = "seed file " + seed + " not found";
        return false;
    }
    if (fs::exists(target, ec) && fs::equivalent(seed, target, ec)) {
        error = "the target is the seed file itself";
        return false;
    }
    // A read-only target stays as it is, even for a user the system would let write.
    const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (IsRegularFile(target) && (fs::status(target, ec).permissions() & writable) == fs::perms::none) {
        error = "the target file is read-only";
        return false;
    }
    // The copy replaces the target whole or not at all.
    const std::optional<std::string> bytes = FileBytes(seed);
    if (!bytes) {
        error = "cannot read " + seed;
        return false;
    }
    const AtomicWriteResult written = WriteFileAtomically(target, *bytes);
    if (!written.ok) error = written.error;
    return written.ok;
}

std::string DefaultSeedFile(const std::string& programFolder, const std::string& fallback)
{
    const std::string settings = (programFolder.empty() ? std::string() : programFolder + "/") + "mardex3.ini";
    if (!InputFileProblem(settings, MaxSettingsBytes).empty()) return fallback;
    std::ifstream in(settings, std::ios::binary);
    LineReader lines(in);
    std::string line;
    for (int i = 0; i < 3 && lines.Next(line); ++i) {
        if (i < 2) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos || ToUpper(Trim(line.substr(0, eq))) != "SEEDFILE") break;
        const auto next = line.find('=', eq + 1);
        const std::string value = Trim(line.substr(eq + 1, next == std::string::npos ? std::string::npos : next - eq - 1));
        if (!value.empty()) return value;
    }
    return fallback;
}

} // namespace mardex
