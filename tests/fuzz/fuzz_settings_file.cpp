// libFuzzer target: any bytes as the settings file mardex3.ini give a report
// folder, a seed file or a failure description, never a crash or hang.
#include "FuzzFolder.h"

#include "app/MainForm.h"
#include "app/DesignFileDialogs.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = fuzz::WriteScratchFile("mardex3.ini", reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto folder = mardex::ReadReportFolder(path, error);
    if (!folder && error.empty()) std::abort();
    const std::string seed = mardex::DefaultSeedFile(fuzz::ScratchFolder(), "fallback.dgn");
    if (seed.empty() || seed.find('\n') != std::string::npos) std::abort();
    return 0;
}
