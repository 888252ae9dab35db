#pragma once
// The commands of the preview window (frmPreview) and of the page-range
// dialog (frmPrintSelect), on plain state: the Qt windows forward to these.
#include <string>

namespace mardex {

class Session;
class ReportSurface;

// Opening the preview: PreparePrinter on the printer, page 1 onto the
// preview window (which that render shows modally).
void OpenReportPreview(Session& s, ReportSurface& preview, ReportSurface& printer);

void mnuBack_Click(Session& s, ReportSurface& preview);
void mnuForward_Click(Session& s, ReportSurface& preview);

// Exit, or the window closed by any other means: always allowed.
void frmPreview_Closed(Session& s);

// Print All: every page onto the printer, the preview window closed, then
// "Sent to the printer " and the device name.
void mnuPrintAll_Click(Session& s, ReportSurface& preview, ReportSurface& printer);

// The page-range dialog as the user sees it.
struct PrintSelectForm {
    std::string FromPage = "1";
    std::string ToPage = "1";
    std::string TotalPage;  // the label
    bool Closed = false;
};

void frmPrintSelect_Load(Session& s, PrintSelectForm& form);
// OK: the range from the two fields; the dialog closes unless a field is
// empty or not a number (then the range keeps its previous values).
void cmdDone_Click(Session& s, PrintSelectForm& form);
void cmdCancel_Click(Session& s, PrintSelectForm& form);

// The dialog shown modally; it leaves the range in s.print.
class PageRangeDialog {
public:
    virtual ~PageRangeDialog() = default;
    virtual void ShowModal(Session& s) = 0;
};

// Print Selected Pages: the dialog, then pages PrintFromPage..PrintToPage
// onto the printer as set up when the preview opened, the end of the
// document and the message (also after Cancel or an empty range).
void mnuPrintSelected_Click(Session& s, ReportSurface& printer, PageRangeDialog& dialog);

} // namespace mardex
