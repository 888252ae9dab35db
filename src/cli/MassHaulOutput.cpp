#include "cli/MassHaulOutput.h"

#include "cli/CliPrompter.h"

#ifdef MARDEX_WITH_PDF
#include "qtsurface/MassHaulExport.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <cstdlib>
#endif

namespace mardex::cli {

#ifdef MARDEX_WITH_PDF

namespace {

void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) CliPrompter::Print(message.toStdString());
}

} // namespace

int WriteMassHaulOutput(const MassSheet& sheet, const HaulAnalysis& haul, const std::string& path)
{
    // No display is needed: Qt draws into the file on its offscreen platform.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const QtMessageHandler previous = qInstallMessageHandler(QuietQt);
    int argc = 1;
    char name[] = "mardex-report";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    std::string error;
    const bool written = WriteMassHaulFile(sheet, haul, path, error);
    qInstallMessageHandler(previous);
    if (!written) {
        CliPrompter::Print(error);
        return 1;
    }
    return 0;
}

#else

int WriteMassHaulOutput(const MassSheet&, const HaulAnalysis&, const std::string& path)
{
    CliPrompter::Print(path + ": this build of mardex-report cannot draw the mass-haul diagram (built without Qt)");
    return 1;
}

#endif

} // namespace mardex::cli
