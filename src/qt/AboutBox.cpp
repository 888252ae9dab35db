#include "AboutBox.h"

#include "Version.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmAbout");
    setWindowTitle("About Mardex");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    top->addWidget(icon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    auto* title = new QLabel("Mardex", this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    texts->addWidget(title);
    texts->addWidget(new QLabel(QStringLiteral("Version %1").arg(MardexVersion), this));
    texts->addWidget(new QLabel("Earthwork calculation reports and stick-up sheets\nfrom cross-section end areas.", this));
    top->addLayout(texts, 1);
    layout->addLayout(top);

    auto* buttons = new QDialogButtonBox(this);
    cmdOK = buttons->addButton(QDialogButtonBox::Ok);
    cmdSysInfo = buttons->addButton("&System Info...", QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    const QString program = SystemInfoProgram();
    cmdSysInfo->setEnabled(!program.isEmpty());
    connect(cmdSysInfo, &QPushButton::clicked, this, [program] {
        if (!program.isEmpty()) QProcess::startDetached(program, {});
    });
}

QString AboutBox::SystemInfoProgram()
{
    for (const char* name : {"hardinfo", "hardinfo2", "gnome-system-monitor", "kinfocenter", "mate-system-monitor",
                             "xfce4-taskmanager"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) return path;
    }
    return {};
}
