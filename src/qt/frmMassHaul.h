#pragma once
// File > Print Preview > Mass Haul: the mass-haul diagram of the current
// sheet, zoomed to fit, with the free-haul distance and overhaul price boxes
// (remembered per user), the haul table below it, Print and Export.
#include "compute/HaulAnalysis.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QScrollArea;
class QTableWidget;

namespace mardex {

class MassHaulView;
class Session;

class frmMassHaul : public QDialog {
public:
    frmMassHaul(QWidget* parent, MassSheet sheet);

    const HaulAnalysis& Analysis() const { return haul_; }
    // Recomputes the analysis from the boxes and shows it.
    void Recompute();
    void ZoomToFit();
    void Zoom(double factor);
    void PrintDiagram();
    void ExportTo(const QString& path);  // by extension: .pdf .svg .png .csv

    QLineEdit* freeHaulBox;      // txtFreeHaul
    QLineEdit* overhaulPriceBox; // txtOverhaulPrice
    QTableWidget* haulTable;     // grdHaulTable

private:
    void ShowTable();
    void Export();

    MassSheet sheet_;
    HaulAnalysis haul_;
    MassHaulView* view_;
    QScrollArea* scroll_;
    double zoom_ = 1;
};

// Computes the current sheet's mass rows (the report's messages on a fault)
// and opens the window.
void ShowMassHaul(QWidget* parent, Session& s);

} // namespace mardex
