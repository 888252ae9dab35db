#pragma once
// The header of the document and of the current sheet above the grid: the
// description boxes, the balance factor box, the embankment check box and
// the unit system choice. Setting a control from code runs its handler
// exactly as user input does: the Set* functions are the only way to change
// these controls, for code and for the window alike.
#include <string>

namespace mardex {

class Session;

// Setters that run the control's change or click handler.
void SetDescriText(Session& s, int index, std::string text);
void SetShrinkFactorText(Session& s, std::string text);
void SetCheck1(Session& s, int value);        // click handler only when the value changes
void SetOptMetric(Session& s);                // click handler only when it becomes selected
void SetOptEnglish(Session& s);

// Handlers.
void txtDescri_Change(Session& s, int index);
// Returns true when the key was handled (Enter) and must be swallowed.
bool txtDescri_KeyPress(Session& s, int index, int key);
void txtDescri_LostFocus(Session& s, int index);
void txtShrinkFactor_Change(Session& s);
void Check1_Click(Session& s);
void optMetric_Click(Session& s);
void optEnglish_Click(Session& s);
// Spelled SetMesurementSyste before.
void SetMeasurementSystem(Session& s);

// A click on the check box by the user: the box changes and its state is
// stored in the current sheet's flag, so it is saved with the document.
void Check1_UserClick(Session& s);

} // namespace mardex
