#include "cli/PdfOutput.h"

#include "cli/CliPrompter.h"

#ifdef MARDEX_WITH_PDF
#include "qtsurface/PdfReport.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <cstdlib>
#endif

namespace mardex::cli {

#ifdef MARDEX_WITH_PDF

namespace {

// Qt's own notes about the headless environment are no business of the user.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) CliPrompter::Print(message.toStdString());
}

} // namespace

int WriteReportPdf(Session& s, const std::string& pdfPath)
{
    // No display is needed: Qt draws into the file on its offscreen platform.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const QtMessageHandler previous = qInstallMessageHandler(QuietQt);
    int argc = 1;
    char name[] = "mardex-report";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const bool written = RenderReportToPdf(s, pdfPath);
    qInstallMessageHandler(previous);
    if (!written) {
        CliPrompter::Print(pdfPath + ": the PDF was not written");
        return 1;
    }
    return 0;
}

#else

int WriteReportPdf(Session&, const std::string& pdfPath)
{
    CliPrompter::Print(pdfPath + ": this build of mardex-report cannot write PDF files (built without Qt)");
    return 1;
}

#endif

} // namespace mardex::cli
