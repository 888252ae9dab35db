#include "cli/Commands.h"
#include "cli/ToolOptions.h"
#include "MardexVersion.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include <unistd.h>

namespace mardex::cli {

std::string ExecutableFolder()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

} // namespace mardex::cli

int main(int argc, char** argv)
{
    using namespace mardex::cli;
    std::string error;
    const auto options = ParseToolOptions({argv + 1, argv + argc}, error);
    if (!options) {
        std::cerr << "mardex-report: " << error << "\n" << UsageText;
        return 2;
    }
    if (options->help) {
        std::cout << UsageText;
        return 0;
    }
    if (options->version) {
        std::cout << "mardex-report " MARDEX_VERSION "\n";
        return 0;
    }
#ifdef MARDEX_EXTRAS_TOOL
    // PDF, printers and design files need Qt and GDAL, which the plain reports do not
    // load: those runs continue in the companion program.
    if (!options->pdf.empty() || options->print || !options->stickup.empty() || !options->massHaul.empty() ||
        !options->haulPlan.empty()) {
        const std::string extras = ExecutableFolder() + "/" MARDEX_EXTRAS_TOOL;
        execv(extras.c_str(), argv);
        std::cerr << "mardex-report: cannot start " << extras << ": " << std::strerror(errno) << "\n";
        return 1;
    }
#endif
    if (!options->saveAs.empty()) return RunSaveAs(*options);
    if (!options->exportCsv.empty()) return RunExportCsv(*options);
    if (!options->reportCsv.empty()) return RunReportCsv(*options);
    if (!options->stickup.empty()) return RunStickup(*options);
    if (!options->haulTable.empty() || !options->massHaul.empty() || !options->haulPlan.empty()) return RunHaul(*options);
    return RunReport(*options);
}
