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
    window.show();
    return app.exec();
}
