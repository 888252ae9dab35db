#include "FirstPaintExit.h"
#include "FontConfigWarmup.h"
#include "StartupIcons.h"
#include "Version.h"
#include "app/UserFiles.h"
#include "frmMain.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* Usage =
    "Usage: mardex [FILE]\n"
    "Opens the Mardex window; FILE (a sheet document .mdx or a GEOPAK earthwork log .log)\n"
    "is opened as File > Open would.\n"
    "  --help     show this text\n"
    "  --version  show the version\n"
    "Reports without a window: mardex-report --help\n";

bool HasDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && platform[0]) return true;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value && value[0]) return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    const char* file = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version")) {
            std::printf("mardex %s\n", MardexVersion);
            return 0;
        }
        if (argv[i][0] == '-' || file) {
            std::fprintf(stderr, "mardex: unexpected argument %s\n%s", argv[i], Usage);
            return 2;
        }
        file = argv[i];
    }
    if (!HasDisplay()) {
        std::fputs("mardex: the window needs a graphical session (no display found); "
                   "mardex-report makes the reports without one.\n",
                   stderr);
        return 1;
    }
    FontConfigWarmup fonts;
    QApplication app(argc, argv);
    QApplication::setApplicationName("Mardex");
    QApplication::setOrganizationName("Mardex");
    QApplication::setApplicationVersion(MardexVersion);
    QApplication::setDesktopFileName("org.mardex.Mardex");
    InstallDeferredIconStyle();
    fonts.wait();
    frmMain window(QString::fromStdString(mardex::ShippedFilesFolder(QCoreApplication::applicationDirPath().toStdString())));
    FirstPaintExit::WatchIfAsked(window);
    window.show();
    window.offerRecovery();
    if (file) {
        const QString path = QString::fromLocal8Bit(file);
        QTimer::singleShot(0, &window, [&window, path] { window.openFile(path); });
    }
    return app.exec();
}
