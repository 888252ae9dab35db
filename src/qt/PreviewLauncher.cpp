#include "PreviewLauncher.h"

// Placeholder until the preview window lands.
void ShowReportPreview(QWidget*, mardex::Session&) {}
