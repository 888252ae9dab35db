#pragma once
// Runs mardex-report as a program in a test's folder and keeps its exit
// status, standard output and standard error.
#include "support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace mardex::test {

struct ToolRun {
    int status = -1;
    std::string out, err;
};

inline std::string Quote(const std::string& s) { return "'" + s + "'"; }

inline std::string ToolPath() { return std::string(MARDEX_BINARY_DIR) + "/bin/mardex-report"; }

// args are passed through the shell as they stand (quote paths with Quote).
inline ToolRun RunTool(const TempDir& dir, const std::string& args, const std::string& tool = ToolPath())
{
    const std::string cmd = "cd " + Quote(dir.path().string()) + " && " + Quote(tool) + " " + args + " >" +
                            Quote(dir / "stdout.txt") + " 2>" + Quote(dir / "stderr.txt");
    const int raw = std::system(cmd.c_str());
    ToolRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadFile(dir / "stdout.txt");
    run.err = ReadFile(dir / "stderr.txt");
    // Leave the folder holding only what the tool wrote.
    std::remove((dir / "stdout.txt").c_str());
    std::remove((dir / "stderr.txt").c_str());
    return run;
}

} // namespace mardex::test
