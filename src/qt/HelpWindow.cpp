#include "HelpWindow.h"
#include "ScreenFit.h"

#include <algorithm>
#include <utility>

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString TitleOf(const QString& html, const QString& fallback)
{
    static const QRegularExpression title("<title>([^<]*)</title>", QRegularExpression::CaseInsensitiveOption);
    const auto match = title.match(html);
    return match.hasMatch() ? match.captured(1).trimmed() : fallback;
}

} // namespace

HelpWindow::HelpWindow(const QString& guideFolder, QWidget* parent) : QWidget(parent, Qt::Window), folder_(guideFolder)
{
    setObjectName("frmHelp");
    setWindowTitle("Mardex Help");
    resize(900, 640);
    BoundToScreen(*this);

    searchBox = new QLineEdit(this);
    searchBox->setObjectName("txtSearch");
    searchBox->setPlaceholderText("Search the guide");
    searchBox->setClearButtonEnabled(true);
    pageList = new QListWidget(this);
    pageList->setObjectName("lstPages");
    browser = new QTextBrowser(this);
    browser->setObjectName("txtGuide");
    browser->setSearchPaths({folder_});
    browser->setOpenExternalLinks(true);

    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(searchBox);
    sideLayout->addWidget(pageList);
    auto* split = new QSplitter(this);
    split->addWidget(side);
    split->addWidget(browser);
    split->setStretchFactor(1, 1);
    split->setSizes({220, 680});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(split);

    for (const QString& file : QDir(folder_).entryList({"*.html"}, QDir::Files, QDir::Name)) {
        QFile in(folder_ + "/" + file);
        const QString html = in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
        QTextDocument plain;
        plain.setHtml(html);
        pages_.append({file, file == "index.html" ? QString("Contents") : TitleOf(html, file), plain.toPlainText()});
    }
    std::sort(pages_.begin(), pages_.end(), [](const Page& a, const Page& b) {
        return std::pair(a.file != "index.html", a.title) < std::pair(b.file != "index.html", b.title);
    });
    Search({});

    connect(pageList, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        ShowPage(item->data(Qt::UserRole).toString());
        if (!searchBox->text().trimmed().isEmpty()) browser->find(searchBox->text().trimmed().split(' ').first());
    });
    connect(pageList, &QListWidget::itemClicked, pageList, &QListWidget::itemActivated);
    connect(searchBox, &QLineEdit::returnPressed, this, [this] { Search(searchBox->text()); });
    connect(searchBox, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.trimmed().isEmpty()) Search({});
    });
}

void HelpWindow::ListPages(const QList<const Page*>& pages)
{
    pageList->clear();
    for (const Page* page : pages) (new QListWidgetItem(page->title, pageList))->setData(Qt::UserRole, page->file);
}

void HelpWindow::ShowPage(const QString& page)
{
    browser->setSource(QUrl::fromLocalFile(folder_ + "/" + page));
    show();
    raise();
    activateWindow();
}

void HelpWindow::Search(const QString& text)
{
    const QStringList words = text.simplified().split(' ', Qt::SkipEmptyParts);
    QList<const Page*> found;
    for (const Page& page : pages_) {
        if (std::all_of(words.begin(), words.end(),
                        [&](const QString& w) { return page.text.contains(w, Qt::CaseInsensitive); }))
            found.append(&page);
    }
    ListPages(found);
    if (words.isEmpty() || found.isEmpty()) return;
    pageList->setCurrentRow(0);
    ShowPage(found.first()->file);
    browser->find(words.first());
}
