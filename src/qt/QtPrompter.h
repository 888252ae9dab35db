#pragma once
// The window's real message boxes, input boxes and file dialogs.
#include "app/Prompter.h"

#include <QStringList>

class QWidget;

class QtPrompter : public mardex::Prompter {
public:
    explicit QtPrompter(QWidget* parent) : parent_(parent) {}

    mardex::Answer Ask(const mardex::MessageBox& box) override;
    std::string Input(const std::string& prompt, const std::string& title, const std::string& defaultAnswer) override;
    std::optional<std::string> ChooseFile(const mardex::FileDialogRequest& request) override;
    std::optional<mardex::SurfaceChoice> ChooseSurfaces(const mardex::SurfaceNames& names,
                                                        const mardex::SurfaceChoice& proposal) override;

    // "Desc(*.a)|*.a|All(*.*)|*.*" -> name filters the dialog understands.
    static QStringList NameFilters(const std::string& filter);

private:
    QWidget* parent_;
};
