#include "cli/Commands.h"
#include "cli/ToolOptions.h"

#include <filesystem>
#include <iostream>

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
    if (!options->saveAs.empty()) return RunSaveAs(*options);
    if (!options->stickup.empty()) return RunStickup(*options);
    return RunReport(*options);
}
