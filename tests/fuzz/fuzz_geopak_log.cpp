// libFuzzer target: any bytes opened as a GEOPAK earthwork log, then reported
// as Total and Accumulated, give a report or a message, never a crash or hang.
#include "FuzzFolder.h"

#include "app/Prompter.h"
#include "app/Session.h"
#include "app/LogCommands.h"
#include "model/LogTables.h"
#include "app/LogReport.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class QuietPrompter : public mardex::Prompter {
public:
    mardex::Answer Ask(const mardex::MessageBox& box) override
    {
        return box.buttons == mardex::Buttons::OK ? mardex::Answer::OK : mardex::Answer::No;
    }
    std::string Input(const std::string&, const std::string&, const std::string&) override { return "renamed"; }
    std::optional<std::string> ChooseFile(const mardex::FileDialogRequest&) override { return std::nullopt; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = fuzz::WriteScratchFile("fuzz.log", reinterpret_cast<const char*>(data), size);
    QuietPrompter ask;
    mardex::Session s(ask);
    s.doc.ReportFolder = fuzz::ScratchFolder() + "/";
    s.doc.CurrentFileName = path;
    if (mardex::OpenGeopakLogFile(s, {}) != 0) return 0;
    const mardex::SheetLog& log = s.logs()[s.doc.CurrentSheet];
    if (log.EntryCount < 0 || log.EntryCount > mardex::MaxLogEntries) std::abort();
    if (log.BalanceCount < 0 || log.BalanceCount > mardex::MaxLogBalancePoints) std::abort();
    mardex::BuildLogReport(s, false, mardex::WindowReport);
    mardex::BuildLogReport(s, true, mardex::WindowReport);
    return 0;
}
