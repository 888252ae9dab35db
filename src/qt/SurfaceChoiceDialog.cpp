#include "SurfaceChoiceDialog.h"


#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>

namespace {

const char* const GroundKey = "LandXML/GroundSurface";
const char* const DesignKey = "LandXML/DesignSurface";

QString FromName(const std::string& name) { return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())); }

} // namespace

SurfaceChoiceDialog::SurfaceChoiceDialog(const mardex::SurfaceNames& names,
                                         const mardex::SurfaceChoice& proposal, QWidget* parent)
    : QDialog(parent), groundCombo_(new QComboBox(this)), designCombo_(new QComboBox(this))
{
    setObjectName("dlgSurfaces");
    setWindowTitle("Cross-Section Surfaces");
    groundCombo_->setObjectName("cboGround");
    designCombo_->setObjectName("cboDesign");
    // Each item's data is the surface's name; a TIN says so in its text.
    for (const std::string& n : names.lines) {
        groundCombo_->addItem(FromName(n), FromName(n));
        designCombo_->addItem(FromName(n), FromName(n));
    }
    for (const std::string& n : names.tins) groundCombo_->addItem(FromName(n) + " (TIN)", FromName(n));

    QSettings settings("Mardex", "Mardex");
    QString ground = settings.value(GroundKey).toString();
    QString design = settings.value(DesignKey).toString();
    if (groundCombo_->findData(ground) < 0 || designCombo_->findData(design) < 0 || ground == design) {
        ground = FromName(proposal.ground);
        design = FromName(proposal.design);
    }
    if (const int i = groundCombo_->findData(ground); i >= 0) groundCombo_->setCurrentIndex(i);
    if (const int i = designCombo_->findData(design); i >= 0) designCombo_->setCurrentIndex(i);
    else if (designCombo_->count() > 1) designCombo_->setCurrentIndex(groundCombo_->currentIndex() == 0 ? 1 : 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QFormLayout(this);
    layout->addRow(new QLabel("End areas are measured between two surfaces of the file.\n"
                              "A TIN as the ground is sampled along each section.", this));
    layout->addRow("Ground:", groundCombo_);
    layout->addRow("Design:", designCombo_);
    layout->addRow(buttons);
    auto enableOk = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(designCombo_->currentIndex() >= 0 &&
                                                          groundCombo_->currentData() != designCombo_->currentData());
    };
    connect(groundCombo_, &QComboBox::currentIndexChanged, this, enableOk);
    connect(designCombo_, &QComboBox::currentIndexChanged, this, enableOk);
    enableOk();
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

mardex::SurfaceChoice SurfaceChoiceDialog::Choice() const
{
    return {groundCombo_->currentData().toString().toStdString(), designCombo_->currentData().toString().toStdString()};
}

void SurfaceChoiceDialog::Remember() const
{
    QSettings settings("Mardex", "Mardex");
    settings.setValue(GroundKey, groundCombo_->currentData());
    settings.setValue(DesignKey, designCombo_->currentData());
}

std::optional<mardex::SurfaceChoice> SurfaceChoiceDialog::Ask(const mardex::SurfaceNames& names,
                                                              const mardex::SurfaceChoice& proposal, QWidget* parent)
{
    SurfaceChoiceDialog dialog(names, proposal, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    dialog.Remember();
    return dialog.Choice();
}
