#include "FirstPaintExit.h"
#include "Version.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Mardex");
    QApplication::setOrganizationName("Mardex");
    QApplication::setApplicationVersion(MardexVersion);
    frmMain window(QCoreApplication::applicationDirPath());
    FirstPaintExit::WatchIfAsked(window);
    window.show();
    return app.exec();
}
