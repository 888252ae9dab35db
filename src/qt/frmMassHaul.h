#pragma once
// File > Print Preview > Mass Haul: a window of its own beside the main
// window that follows the current sheet: the mass-haul diagram zoomed to
// fit, the free-haul distance and overhaul price boxes (remembered per user),
// and below it the haul table, the Sites table (the document's borrow pits
// and waste sites, saved beside it) and the cheapest haul plan, which the
// diagram then shows over the curve. Print and Export.
#include "compute/HaulAnalysis.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTableWidget;

namespace mardex {

class HaulSitesTable;
class MassHaulView;
class Session;

class frmMassHaul : public QWidget {
public:
    // `sitesPath`: the document's NAME.sites.csv ("" keeps the sites in memory).
    frmMassHaul(QWidget* parent, MassSheet sheet, const std::string& sitesPath = "");
    ~frmMassHaul() override;

    const HaulAnalysis& Analysis() const { return haul_; }
    // A new sheet (another tab, another document) shown with the same boxes.
    void ShowSheet(MassSheet sheet, const std::string& sitesPath);
    // Recomputes the analysis and the plan from the boxes and shows them.
    void Recompute();
    void ZoomToFit();
    void Zoom(double factor);
    void PrintDiagram();
    // By extension: .pdf .svg .png (the drawing), .csv (the haul table, or
    // the plan when `plan`); the outcome goes to the status line.
    void ExportTo(const QString& path, bool plan = false);

    QLineEdit* freeHaulBox;       // txtFreeHaul
    QLineEdit* overhaulPriceBox;  // txtOverhaulPrice
    QTableWidget* haulTable;      // grdHaulTable
    QTableWidget* sitesTable;     // grdSites
    QTableWidget* planTable;      // grdHaulPlan
    QCheckBox* showPlanCheck;     // chkShowPlan: the plan drawn over the diagram
    QLabel* planSummary;          // lblPlan: costs and limits of economic haul
    QLabel* statusLine;           // lblStatus: refusals and confirmations

    // The Sites table's commands (its buttons).
    void AddSite();
    void DeleteSite();
    void UndoSites();
    void RedoSites();

    // The session whose current sheet it shows (set by ShowMassHaul), and
    // the refresh after a change there.
    Session* followed = nullptr;
    void FollowCurrentSheet();

private:
    QWidget* BuildBoxes();
    QWidget* BuildSitesPage();
    QWidget* BuildPlanPage();
    void ShowTable();
    void ShowSites();
    void ShowPlan();
    void SiteEdited(int row);
    void SitesChanged(const std::string& error);
    void Export();
    void Status(const std::string& text, bool refusal);

    MassSheet sheet_;
    HaulAnalysis haul_;
    std::optional<HaulPlan> plan_;
    std::unique_ptr<HaulSitesTable> sites_;
    MassHaulView* view_;
    QScrollArea* scroll_;
    double zoom_ = 1;
    bool showingSites_ = false;
    bool boxRefused_ = false;  // the status line shows a box's refusal
    class QTimer* followTimer_ = nullptr;
};

// Computes the current sheet's mass rows (the report's messages on a fault)
// and shows the window (one per main window), raised.
void ShowMassHaul(QWidget* parent, Session& s);
// After a change in the main window: an open Mass Haul window shows the
// current sheet as it now stands (another tab, another document, an edit).
void FollowMassHaul(QWidget* parent, Session& s);

} // namespace mardex
