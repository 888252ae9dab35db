#pragma once
// Opens the report preview window (frmPreview) on page 1 of the current
// report file, modally, over the given parent.
class QWidget;
namespace mardex { class Session; }

void ShowReportPreview(QWidget* parent, mardex::Session& s);
