#include "PreviewLauncher.h"

#include "app/Session.h"
#include "frmPreview.h"
#include "app/PreviewCommands.h"

void ShowReportPreview(QWidget* parent, mardex::Session& s)
{
    mardex::frmPreview preview(s, parent);
    preview.Open();
    // The window may never have been shown (no report file): the totals of
    // this report must not carry into the next one either way.
    mardex::frmPreview_Closed(s);
}
