#include "StickupLauncher.h"

// Placeholder until the stick-up sheets land.
void RunStickupSheets(QWidget*, mardex::Session&) {}
