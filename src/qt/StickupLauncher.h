#pragma once
// The Stickup Sheets button: the combined report, the design-file and
// seed-file dialogs, and the drawing.
class QWidget;
namespace mardex { class Session; }

void RunStickupSheets(QWidget* parent, mardex::Session& s);
