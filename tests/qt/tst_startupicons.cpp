// The window's start reads no image: the style's icons are made when first
// drawn and look as the style's own, the toolbar's are drawn in code, and
// the group box frame needs no picture.
#include "WindowTestPrompter.h"
#include "qt/StartupIcons.h"
#include "qt/frmMain.h"

#include <QApplication>
#include <QFile>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

Q_DECLARE_METATYPE(QStyle::StandardPixmap)
Q_DECLARE_METATYPE(ToolbarPicture)

namespace {

// The Qt plug-ins this process has loaded so far, from its memory map.
bool PluginLoaded(const char* kind)
{
    QFile maps("/proc/self/maps");
    if (!maps.open(QIODevice::ReadOnly)) return false;
    return maps.readAll().contains(QByteArray("/plugins/") + kind + "/");
}

QImage Drawn(const QIcon& icon, int size, QIcon::Mode mode = QIcon::Normal)
{
    return icon.pixmap(QSize(size, size), 1.0, mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

int OpaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 128;
    return count;
}

} // namespace

class tst_StartupIcons : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    // First: it looks at which plug-ins the whole process has loaded.
    void theFirstPaintLoadsNoImagePlugin();
    void deferredIconsLookAsTheStylesOwn_data();
    void deferredIconsLookAsTheStylesOwn();
    void toolbarIconsAreDrawnAndGreyWhenDisabled_data();
    void toolbarIconsAreDrawnAndGreyWhenDisabled();

private:
    QTemporaryDir settingsHome, programFolder;
};

void tst_StartupIcons::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    std::ofstream(programFolder.filePath("mardex3.ini").toStdString()) << "[Mardex]\r\nReportFolder = /tmp/\r\n";
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    InstallDeferredIconStyle();
}

void tst_StartupIcons::theFirstPaintLoadsNoImagePlugin()
{
    QVERIFY(!PluginLoaded("imageformats"));
    WindowTestPrompter ask;
    frmMain window(programFolder.path(), &ask);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.grab();  // every widget painted once
    QVERIFY(!PluginLoaded("imageformats"));
    QVERIFY(!PluginLoaded("iconengines"));
}

void tst_StartupIcons::deferredIconsLookAsTheStylesOwn_data()
{
    QTest::addColumn<QStyle::StandardPixmap>("which");
    QTest::newRow("menu bar overflow") << QStyle::SP_ToolBarHorizontalExtensionButton;
    QTest::newRow("file") << QStyle::SP_FileIcon;
    QTest::newRow("message box") << QStyle::SP_MessageBoxWarning;
}

void tst_StartupIcons::deferredIconsLookAsTheStylesOwn()
{
    QFETCH(QStyle::StandardPixmap, which);
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    const QIcon deferred = QApplication::style()->standardIcon(which);
    const QIcon own = fusion->standardIcon(which);
    QVERIFY(!deferred.isNull());
    for (int size : {16, 32}) {
        QCOMPARE(deferred.actualSize(QSize(size, size)), own.actualSize(QSize(size, size)));
        QCOMPARE(Drawn(deferred, size), Drawn(own, size));
    }
}

void tst_StartupIcons::toolbarIconsAreDrawnAndGreyWhenDisabled_data()
{
    QTest::addColumn<ToolbarPicture>("picture");
    QTest::newRow("New") << ToolbarPicture::NewFile;
    QTest::newRow("Open") << ToolbarPicture::OpenFile;
    QTest::newRow("Save") << ToolbarPicture::SaveFile;
}

void tst_StartupIcons::toolbarIconsAreDrawnAndGreyWhenDisabled()
{
    QFETCH(ToolbarPicture, picture);
    const QIcon icon = ToolbarIcon(picture);
    for (int size : {16, 24, 32}) {
        const QImage normal = Drawn(icon, size);
        QCOMPARE(normal.size(), QSize(size, size));
        // Most of the square is covered, and not the whole of it.
        QVERIFY(OpaquePixels(normal) > size * size / 3);
        QVERIFY(OpaquePixels(normal) < size * size);
        QVERIFY(Drawn(icon, size, QIcon::Disabled) != normal);
    }
    // Each picture differs from the next one.
    QVERIFY(Drawn(icon, 16) != Drawn(ToolbarIcon(ToolbarPicture((int(picture) + 1) % 3)), 16));
}

QTEST_MAIN(tst_StartupIcons)
#include "tst_startupicons.moc"
