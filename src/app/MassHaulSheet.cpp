#include "app/MassHaulSheet.h"

#include "app/Prompter.h"
#include "app/Session.h"
#include "app/FileCommands.h"
#include "model/LogTables.h"
#include "app/LogReport.h"
#include "app/Guarded.h"
#include "compute/MassRows.h"
#include "compute/SheetComputation.h"
#include "app/EarthworkComputation.h"
#include "text/NumberText.h"

#include <fstream>
#include <iterator>

namespace mardex {

namespace {

// Answers the open dialog with the companion document; every other question
// goes to the window's own prompter.
class CompanionPrompter : public Prompter {
public:
    CompanionPrompter(Prompter& inner, std::string file) : inner_(inner), file_(std::move(file)) {}
    Answer Ask(const MessageBox& box) override { return inner_.Ask(box); }
    std::string Input(const std::string& prompt, const std::string& title, const std::string& initial) override
    {
        return inner_.Input(prompt, title, initial);
    }
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return file_; }

private:
    Prompter& inner_;
    std::string file_;
};

} // namespace

namespace {

void HeadSheet(Session& s, MassSheet& sheet)
{
    const ReportHeading heading = HeadingOf(s);
    sheet = MassSheet{};
    sheet.tabName = heading.tabCaption;
    sheet.designer = heading.descriptionFields[0];
    sheet.projectNo = heading.descriptionFields[1];
    sheet.controlNo = heading.descriptionFields[2];
    sheet.metric = heading.units == UnitSystem::Metric;
}

} // namespace

bool ComputeMassSheet(Session& s, MassSheet& sheet)
{
    HeadSheet(s, sheet);
    const auto computed = ComputeCurrentSheet(s, ReportMode::Total);
    if (computed) sheet.rows = MassRowsOf(*computed);
    return computed.has_value();
}

bool QuietMassSheetOfCurrent(Session& s, MassSheet& sheet, std::string& why)
{
    if (s.doc.LogMode) {
        why = "a GEOPAK log is shown as it was opened";
        return false;
    }
    HeadSheet(s, sheet);
    const SheetComputation computed = ComputeSheet(s.store[s.doc.CurrentSheet], UnitOfNumber(s.doc.UnitSystem), ReportMode::Total);
    if (!computed.ok()) {
        why = "the sheet's computation fails (" + computed.fault + ")";
        return false;
    }
    sheet.rows = MassRowsOf(computed);
    return true;
}

std::optional<std::string> CompanionOfLog(const Session& s, const std::string& logPath, std::string& why)
{
    const auto path = LogCompanionFileName(logPath);
    if (!path) {
        why = logPath + ": the log has no companion document";
        return std::nullopt;
    }
    std::ifstream in(*path, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    const auto written = s.doc.WrittenCompanions.find(*path);
    if (!in.is_open() || !LooksLikeLogCompanion(text) || written == s.doc.WrittenCompanions.end() ||
        written->second != std::hash<std::string>{}(text)) {
        why = *path + " does not hold the station rows of " + logPath;
        return std::nullopt;
    }
    return path;
}

bool MassHaulSheetOfCurrent(Session& s, MassSheet& sheet)
{
    if (!s.doc.LogMode) return ComputeMassSheet(s, sheet);
    const int tab = s.doc.CurrentSheet;
    const std::string& logPath = s.logs()[tab].LogPath.empty() ? s.doc.CurrentFileName : s.logs()[tab].LogPath;
    std::string why;
    const auto path = CompanionOfLog(s, logPath, why);
    if (!path) {
        s.ask.Message(why);
        return false;
    }
    CompanionPrompter ask(s.ask, *path);
    Session companion(ask);
    companion.ProgramFolder = s.ProgramFolder;
    companion.doc.ReportFolder = s.doc.ReportFolder;
    if (OpenFileCommand(companion) != 0 || companion.doc.LogMode) {
        s.ask.Message(*path + ": the log's companion document could not be read");
        return false;
    }
    return ComputeMassSheet(companion, sheet);
}

} // namespace mardex
