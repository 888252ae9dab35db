#pragma once
// Qt's GUI module for one output of the tool, without a display: Qt draws
// into files and onto printers on its offscreen platform.
#include "cli/CliPrompter.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <cstdlib>

namespace mardex::cli {

// Qt's own notes about the headless environment are no business of the user.
inline void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) CliPrompter::Print(message.toStdString());
}

class HeadlessQt {
public:
    HeadlessQt() : previous_((setenv("QT_QPA_PLATFORM", "offscreen", 0), qInstallMessageHandler(QuietQt))) {}
    ~HeadlessQt() { qInstallMessageHandler(previous_); }
    HeadlessQt(const HeadlessQt&) = delete;
    HeadlessQt& operator=(const HeadlessQt&) = delete;

private:
    QtMessageHandler previous_;
    int argc_ = 1;
    char name_[14] = "mardex-report";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication app_{argc_, argv_};
};

} // namespace mardex::cli
