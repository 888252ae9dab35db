#pragma once
// Help > About: the program's title and version, and a button that starts
// the machine's system-information program when one is installed.
#include <QDialog>

class QPushButton;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent);

    // The first system-information program found on the PATH; empty if none.
    static QString SystemInfoProgram();

    QPushButton* cmdSysInfo = nullptr;
    QPushButton* cmdOK = nullptr;
};
