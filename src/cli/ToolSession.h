#pragma once
// The tool's stand-in for the main window: a session whose boxes print to
// stderr, started as the window starts, that opens documents through the
// window's own File > Open flow.
#include "app/Session.h"
#include "cli/CliPrompter.h"
#include "cli/ToolOptions.h"

#include <string>

namespace mardex::cli {

class ToolSession {
public:
    // The program folder is the executable's; Form_Load has run.
    ToolSession();
    ToolSession(const ToolSession&) = delete;
    ToolSession& operator=(const ToolSession&) = delete;

    // File > Open of `path` (answered in the open dialog). True when the
    // document or log was read. Otherwise false with `why`, a message that
    // names the file; the program's own messages (with the line, where one
    // is known) have already gone to stderr.
    bool Open(const std::string& path, std::string& why);
    // The same with the LandXML surfaces named on the command line.
    bool Open(const std::string& path, const ToolOptions& options, std::string& why);
    // Open for the commands that need a sheet document: checks the outputs
    // against the inputs, opens `in` and refuses a log, printing why it failed.
    bool OpenSheetDocument(const std::string& in, const ToolOptions& options);
    // The same, then a check that the document has sheet --sheet.
    bool OpenSheetOfDocument(const std::string& in, const ToolOptions& options);

    CliPrompter ask;
    Session s;
};

// `path` made absolute (as the window's dialog gives it).
std::string AbsolutePath(const std::string& path);

// False with `why` when a file the run would write (--output, --pdf,
// --save-as, --stickup, the CSV exports and the haul outputs) is the
// document, the seed, a log's companion or another of them.
bool OutputsAreNotInputs(const ToolOptions& options, std::string& why);

} // namespace mardex::cli
