// The mass-haul diagram's files (PDF, SVG, PNG) are replaced whole or not at
// all: a write that fails part way leaves the old file as it was.
#include "compute/HaulAnalysis.h"
#include "qtsurface/MassHaulExport.h"
#include "text/NumberText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace mardex;

class tst_massHaulExport : public QObject {
    Q_OBJECT
private slots:
    void failedWritesKeepTheOldFile();
};

namespace {

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

void tst_massHaulExport::failedWritesKeepTheOldFile()
{
    MassSheet sheet;
    sheet.tabName = "LOOP";
    for (int i = 0; i < 5; ++i) {
        MassRow r;
        r.station = i * 200;
        r.stationText = FormatStation(r.station);
        r.ordinate = (i % 4 == 0) ? 0 : 300;
        sheet.rows.push_back(r);
    }
    const HaulAnalysis haul = AnalyseHaul(sheet.rows, HaulOptions{});
    const struct {
        const char* extension;
        QByteArray magic;
    } formats[] = {{"pdf", "%PDF"}, {"svg", "<?xml"}, {"png", "\x89PNG"}};
    for (const auto& f : formats) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString("diagram.") + f.extension);
        const QByteArray old = "the diagram that was there before\n";
        {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(old);
        }
        for (const long long failAfter : {0LL, 100LL, 4096LL}) {
            std::string error;
            QVERIFY2(!WriteMassHaulFile(sheet, haul, path.toStdString(), error, failAfter), f.extension);
            QVERIFY2(error.find("No space left on device") != std::string::npos, error.c_str());
            QCOMPARE(Read(path), old);
        }
        std::string error;
        QVERIFY2(WriteMassHaulFile(sheet, haul, path.toStdString(), error), error.c_str());
        QVERIFY2(Read(path).startsWith(f.magic), f.extension);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}

QTEST_MAIN(tst_massHaulExport)
#include "tst_massHaulExport.moc"
