#pragma once
// Asks which of a LandXML file's surfaces is the ground and which the
// design: the ground may be a section line or a TIN (sampled along the
// alignment), the design is a section line. The last pair chosen is
// remembered per user and proposed again when the file has both names.
#include "formats/SurfaceChoice.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QComboBox;

class SurfaceChoiceDialog : public QDialog {
    Q_OBJECT
public:
    SurfaceChoiceDialog(const mardex::SurfaceNames& names, const mardex::SurfaceChoice& proposal,
                        QWidget* parent = nullptr);

    mardex::SurfaceChoice Choice() const;
    // Stores the choice as the user's remembered pair.
    void Remember() const;

    // Shows the dialog; nullopt when cancelled.
    static std::optional<mardex::SurfaceChoice> Ask(const mardex::SurfaceNames& names,
                                                    const mardex::SurfaceChoice& proposal, QWidget* parent);

private:
    QComboBox* groundCombo_;
    QComboBox* designCombo_;
};
