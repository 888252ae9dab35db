#include "QtPrompter.h"
#include "SurfaceChoiceDialog.h"

#include "QtText.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

using mardex::Answer;
using mardex::Buttons;
using mardex::Icon;

namespace {

QString Q(const std::string& text) { return FromMessage(text); }

QMessageBox::Icon QtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Answer QtPrompter::Ask(const mardex::MessageBox& box)
{
    QMessageBox msg(QtIcon(box.icon), Q(box.title), Q(box.text), QMessageBox::NoButton, parent_);
    QList<QMessageBox::StandardButton> order;
    switch (box.buttons) {
    case Buttons::OK: order = {QMessageBox::Ok}; break;
    case Buttons::OKCancel: order = {QMessageBox::Ok, QMessageBox::Cancel}; break;
    case Buttons::YesNo: order = {QMessageBox::Yes, QMessageBox::No}; break;
    case Buttons::YesNoCancel: order = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}; break;
    }
    for (auto b : order) msg.addButton(b);
    msg.setDefaultButton(order.size() > 1 && box.defaultIsSecond ? order[1] : order[0]);
    if (order.contains(QMessageBox::Cancel)) msg.setEscapeButton(QMessageBox::Cancel);
    else if (order.contains(QMessageBox::No)) msg.setEscapeButton(QMessageBox::No);
    switch (msg.exec()) {
    case QMessageBox::Ok: return Answer::OK;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: break;
    }
    return box.buttons == Buttons::OK ? Answer::OK : (order.contains(QMessageBox::Cancel) ? Answer::Cancel : Answer::No);
}

std::string QtPrompter::Input(const std::string& prompt, const std::string& title, const std::string& defaultAnswer)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, Q(title), Q(prompt), QLineEdit::Normal, Q(defaultAnswer), &ok);
    // Cancel answers the empty text, as the input box always did.
    return ok ? ToCell(text) : std::string();
}

QStringList QtPrompter::NameFilters(const std::string& filter)
{
    QStringList out;
    const QStringList parts = Q(filter).split('|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& desc = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(';', ' ');
        out << (desc.contains('(' + pattern + ')') ? desc : desc + " (" + pattern + ")");
    }
    return out;
}

std::optional<std::string> QtPrompter::ChooseFile(const mardex::FileDialogRequest& request)
{
    QFileDialog dialog(parent_);
    const QStringList filters = NameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(std::max(0, request.filterIndex - 1), filters.first()));
    }
    // The program asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (request.mode == mardex::FileDialogMode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The suffix of the first filter (a CSV export is not given ".mdx").
        const QStringList parts = Q(request.filter).split('|');
        QString suffix = "mdx";
        if (parts.size() > 1 && parts[1].startsWith("*.") && parts[1] != "*.*") suffix = parts[1].mid(2).section(';', 0, 0);
        dialog.setDefaultSuffix(suffix);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToPath(dialog.selectedFiles().first());
}

std::optional<mardex::SurfaceChoice> QtPrompter::ChooseSurfaces(const mardex::SurfaceNames& names,
                                                                const mardex::SurfaceChoice& proposal)
{
    return SurfaceChoiceDialog::Ask(names, proposal, parent_);
}
