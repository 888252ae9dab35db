#include "app/Session.h"

#include "model/LogTables.h"

namespace mardex {

namespace {
WindowHooks NoWindow;
}

Session::Session(Prompter& prompter) : ask(prompter), hooks(&NoWindow) {}
Session::~Session() = default;

LogTables& Session::logs()
{
    if (!logs_) logs_ = std::make_unique<LogTables>();
    return *logs_;
}

} // namespace mardex
