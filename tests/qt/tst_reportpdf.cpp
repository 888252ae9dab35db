// Report pages rendered into a PDF as Print All does, read back with the
// poppler tools: texts, order, page count and no overlapping words.
#include "QtTestPrompter.h"
#include "app/Session.h"
#include "app/PageRendering.h"
#include "qtsurface/PdfReport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace mardex;

namespace {

QString CaseFile(const QString& name) { return QString(MARDEX_SOURCE_DIR) + "/tests/data/cases/" + name; }

QString Run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return QString::fromLatin1(p.readAllStandardOutput());
}

QString Collapsed(const QString& line) { return line.simplified(); }

// TotalPages of a case report as the report writer gives it (.pages: key pages lines).
int PagesOf(const QString& caseName, const QString& key)
{
    QFile f(CaseFile(caseName + ".pages"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QString& line : QString::fromLatin1(f.readAll()).split('\n')) {
        const QStringList parts = line.simplified().split(' ');
        if (parts.size() >= 2 && parts[0] == key) return parts[1].toInt();
    }
    return -1;
}

QStringList DrawnLines(const QString& report)
{
    QFile f(report);
    f.open(QIODevice::ReadOnly);
    QStringList out;
    for (QString line : QString::fromLatin1(f.readAll()).split('\n')) {
        line.remove('\r');
        if (!line.contains('#') && !(line.isEmpty() && f.atEnd() && out.isEmpty())) out << line;
    }
    if (!out.isEmpty() && out.last().isEmpty()) out.removeLast();
    return out;
}

struct Word {
    double x0, y0, x1, y1;
    QString text;
};

QList<QList<Word>> WordsByPage(const QString& pdf)
{
    const QString html = Run("pdftotext", {"-bbox", pdf, "-"});
    QList<QList<Word>> pages;
    static const QRegularExpression page("<page "), word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (const QString& chunk : html.split(page).mid(1)) {
        QList<Word> words;
        auto it = word.globalMatch(chunk);
        while (it.hasNext()) {
            const auto m = it.next();
            words.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                             m.captured(4).toDouble(), m.captured(5)});
        }
        pages.push_back(words);
    }
    return pages;
}

} // namespace

class tst_reportpdf : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    test::QtTestPrompter ask;

    // Renders a sample report as the current report file of a fresh session.
    QString Render(Session& s, const QString& caseFile, int totalPages, int& pagesWritten)
    {
        const QString report = dir.filePath("road1.rpt");
        QFile::remove(report);
        QFile::copy(CaseFile(caseFile), report);
        s.doc.ReportFolder = dir.path().toStdString() + "/";
        s.doc.CurrentFileName = "/x/road1.mdx";
        s.doc.DescriptionFields = {"DESIGN UNIT 4", "STP-12(3)", "C-101"};
        s.store[0].TabName = "BL1";
        s.report.TotalPages = totalPages;
        const QString pdf = dir.filePath("road1.pdf");
        QFile::remove(pdf);
        if (!RenderReportToPdf(s, report.toStdString(), pdf.toStdString(), &pagesWritten)) return {};
        return pdf;
    }

    void CheckReport(const QString& caseName, const QString& key, bool accumulated, bool metric)
    {
        Session s(ask);
        s.report.AccumulatedMode = accumulated ? ReportMode::Accumulated : ReportMode::Total;
        s.doc.UnitSystem = metric ? 1 : 0;
        const int total = PagesOf(caseName, key);
        QVERIFY(total >= 1);
        int written = 0;
        const QString pdf = Render(s, caseName + "." + key + ".rpt", total, written);
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(written, total);

        const QString info = Run("pdfinfo", {pdf});
        QRegularExpression pagesLine(R"(Pages:\s+(\d+))");
        QCOMPARE(pagesLine.match(info).captured(1).toInt(), total);

        const QStringList pages = Run("pdftotext", {"-layout", pdf, "-"}).split('\f');
        QVERIFY(pages.size() >= total);
        QVERIFY(pages[0].contains("TORVALIA DEPARTMENT OF ROADS"));
        QVERIFY(pages[0].contains("EARTHWORK CALCULATION REPORT"));
        QStringList body;  // every line of every page, blanks collapsed
        for (int p = 0; p < total; ++p) {
            const QString collapsed = Collapsed(pages[p]);
            QVERIFY2(collapsed.contains(QString("Pages : %1 OF %2").arg(p + 1).arg(total)), qPrintable(collapsed.left(300)));
            if (p > 0) QVERIFY(!pages[p].contains("TORVALIA"));
            const QStringList captions = accumulated ? QStringList{"NET-VOL.", "ADJ-FILL"} : QStringList{"ADJUSTED", "MASS"};
            for (const QString& caption : captions) QVERIFY2(pages[p].contains(caption), qPrintable(caption));
            const QStringList units = metric ? QStringList{"Sq.m.", "Cu.m."} : QStringList{"Sq.Ft.", "Cu.Yds."};
            for (const QString& u : units) QVERIFY(pages[p].contains(u));
            for (const QString& line : pages[p].split('\n')) body << Collapsed(line);
        }

        // Every drawn report line in order, each once. The tails of the two
        // longest rules run past the sheet's edge, so lines are compared on
        // their first 95 characters.
        const QStringList expected = DrawnLines(dir.filePath("road1.rpt"));
        int at = 0;
        for (const QString& line : expected) {
            const QString want = Collapsed(line.left(95));
            while (at < body.size() && !body[at].startsWith(want)) ++at;
            QVERIFY2(at < body.size(), qPrintable("missing or out of order: " + line));
            ++at;
        }
        for (const QString& line : expected) {
            if (line.startsWith("*") || line.trimmed().isEmpty()) continue;  // rules repeat by design
            const QString want = Collapsed(line);
            const auto same = std::count_if(expected.begin(), expected.end(),
                                            [&](const QString& e) { return Collapsed(e) == want; });
            QCOMPARE(body.count(want), same);
        }

        // No two words of a page overlap. Line boxes of a font are a little
        // taller than its size, so rows one size apart touch: only an
        // overlap of more than a third of the smaller height counts.
        const auto words = WordsByPage(pdf);
        QCOMPARE(words.size(), total);
        for (const auto& page : words)
            for (int i = 0; i < page.size(); ++i)
                for (int j = i + 1; j < page.size(); ++j) {
                    const Word &a = page[i], &b = page[j];
                    const double w = std::min(a.x1, b.x1) - std::max(a.x0, b.x0);
                    const double h = std::min(a.y1, b.y1) - std::max(a.y0, b.y0);
                    const double minHeight = std::min(a.y1 - a.y0, b.y1 - b.y0);
                    QVERIFY2(w <= 0.5 || h <= minHeight / 3, qPrintable("overlap: " + a.text + " / " + b.text));
                }
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty() || QStandardPaths::findExecutable("pdfinfo").isEmpty())
            QSKIP("poppler-utils not installed");
        QVERIFY(dir.isValid());
    }

    void threePageTotalReport() { CheckReport("fix14_pages_86_rows", "total", false, false); }
    void threePageAccumulatedReport() { CheckReport("fix14_pages_86_rows", "accum", true, false); }
    void metricReportWithBalancePoints() { CheckReport("factor_1_25_metric", "total", false, true); }

    void exactlyFullPageMakesNoExtraPage()
    {
        // 44 + 51 drawn lines and then only the "#" end line: two pages.
        QString text = "#Designer= \r\n#Project No.= \r\n#Control No.= \r\n#TabName= \r\n#System= 0\r\n#Embankment= 0\r\n";
        for (int i = 1; i <= 95; ++i) text += QString("LINE%1 OF THE REPORT\r\n").arg(i);
        text += QString(65, '#') + "\r\n";
        QFile f(dir.filePath("full.rpt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text.toLatin1());
        f.close();
        Session s(ask);
        const std::string report = dir.filePath("full.rpt").toStdString();
        s.report.TotalPages = static_cast<int32_t>(CountDrawnPages(report));
        QCOMPARE(s.report.TotalPages, 2);
        int written = 0;
        QVERIFY(RenderReportToPdf(s, report, dir.filePath("full.pdf").toStdString(), &written));
        QCOMPARE(written, 2);
        QVERIFY(Run("pdfinfo", {dir.filePath("full.pdf")}).contains(QRegularExpression(R"(Pages:\s+2\b)")));
    }

    void unwritablePdfIsAnErrorNotSuccess()
    {
        Session s(ask);
        const std::string report = CaseFile("e51_single_row.total.rpt").toStdString();
        s.report.TotalPages = 1;
        ask.shown.clear();
        QVERIFY(!RenderReportToPdf(s, report, dir.filePath("no/such/folder/x.pdf").toStdString()));
        QCOMPARE(ask.shown.size(), size_t(1));
        QVERIFY(QString::fromStdString(ask.shown[0]).contains("occured in mnuRptPrint_click"));
    }

    // A PDF whose write fails part-way leaves the PDF that was there.
    void pdfFailingAfterNBytesLeavesTheOldPdf()
    {
        for (const long long after : {0LL, 1LL, 2000LL}) {
            Session s(ask);
            const std::string report = CaseFile("e51_single_row.total.rpt").toStdString();
            s.report.TotalPages = 1;
            const FileWriter failing{after};
            s.writer = &failing;
            const QString pdf = dir.filePath("old.pdf");
            QFile::remove(pdf);
            QFile old(pdf);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("%PDF-1.4 the old one");
            old.close();
            ask.shown.clear();
            QVERIFY(!RenderReportToPdf(s, report, pdf.toStdString()));
            QCOMPARE(ask.shown.size(), size_t(1));
            QVERIFY(QString::fromStdString(ask.shown[0]).contains("No space left on device"));
            QFile check(pdf);
            QVERIFY(check.open(QIODevice::ReadOnly));
            QCOMPARE(check.readAll(), QByteArray("%PDF-1.4 the old one"));
            QCOMPARE(QDir(dir.path()).entryList({".~mardex.*"}, QDir::Hidden | QDir::Files).size(), 0);
        }
    }

    // Letter for English documents, A4 for metric ones; on either the page is
    // drawn whole at least a quarter inch from every edge (scaled to fit A4),
    // and a long designer stops before the date.
    void everyPageKeepsAQuarterInchFreeOnItsPaper()
    {
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) QSKIP("pdftoppm not installed");
        const struct { bool metric; const char* size; } papers[] = {{false, R"(612 x 792\b)"}, {true, R"(595(\.\d+)? x 84[12])"}};
        for (const auto& paper : papers) {
            Session s(ask);
            s.doc.UnitSystem = paper.metric ? 1 : 0;
            int written = 0;
            const QString pdf = Render(s, "fix14_pages_86_rows.total.rpt", PagesOf("fix14_pages_86_rows", "total"), written);
            QVERIFY(!pdf.isEmpty());
            QVERIFY2(Run("pdfinfo", {pdf}).contains(QRegularExpression(paper.size)), paper.size);
            const QString png = dir.filePath("page");
            QProcess::execute("pdftoppm", {"-png", "-r", "72", "-f", "1", "-l", "1", "-singlefile", pdf, png});
            QImage image(png + ".png");
            QVERIFY(!image.isNull());
            const int edge = 18;  // a quarter inch at 72 dots an inch
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    if (x >= edge && x < image.width() - edge && y >= edge && y < image.height() - edge) continue;
                    QVERIFY2(qGray(image.pixel(x, y)) > 200, qPrintable(QString("ink at %1,%2 of %3").arg(x).arg(y).arg(paper.size)));
                }
        }
        Session s(ask);
        int written = 0;
        s.doc.DescriptionFields = {std::string(120, 'D'), "STP-12(3)", "C-101"};
        const QString report = dir.filePath("road1.rpt");
        QFile::remove(report);
        QFile::copy(CaseFile("e51_single_row.total.rpt"), report);
        s.doc.ReportFolder = dir.path().toStdString() + "/";
        s.doc.CurrentFileName = "/x/road1.mdx";
        s.store[0].TabName = "BL1";
        s.report.TotalPages = 1;
        const QString pdf = dir.filePath("long.pdf");
        QVERIFY(RenderReportToPdf(s, report.toStdString(), pdf.toStdString(), &written));
        for (const auto& page : WordsByPage(pdf))
            for (const Word& a : page)
                for (const Word& b : page)
                    if (a.text.startsWith("DDDD") && b.text != a.text) {
                        const double w = std::min(a.x1, b.x1) - std::max(a.x0, b.x0);
                        const double h = std::min(a.y1, b.y1) - std::max(a.y0, b.y0);
                        QVERIFY2(w <= 0.5 || h <= 1, qPrintable("the designer overprints " + b.text));
                    }
    }

    void pdfBesideReportName()
    {
        QCOMPARE(QString::fromStdString(PdfBesideReport("/tmp/r/road1.rpt")), QString("/tmp/r/road1.pdf"));
        QCOMPARE(QString::fromStdString(PdfBesideReport("/tmp/r.d/road1")), QString("/tmp/r.d/road1.pdf"));
    }
};

QTEST_MAIN(tst_reportpdf)
#include "tst_reportpdf.moc"
