#pragma once
// Help > Contents: the user guide in a window of the program, its pages
// listed beside the text and a search box over all of them. Every .html
// file of the guide's folder is a page, titled by its <title>, so a page
// added to doc/help appears without other changes.
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& guideFolder, QWidget* parent = nullptr);

    // Shows `page` (a file name of the guide) and raises the window.
    void ShowPage(const QString& page);
    // Pages holding every word of `text`, in the list; the first shown with
    // the text's first match selected.
    void Search(const QString& text);

    QLineEdit* searchBox = nullptr;
    QListWidget* pageList = nullptr;
    QTextBrowser* browser = nullptr;

private:
    struct Page {
        QString file, title;
        QString text;  // plain text, for the search
    };
    void ListPages(const QList<const Page*>& pages);

    QString folder_;
    QList<Page> pages_;  // the contents first, then by title
};
