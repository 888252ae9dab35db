#include "app/HeaderFields.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "text/NumberText.h"
#include "app/Units.h"

namespace mardex {

void SetDescriText(Session& s, int index, std::string text)
{
    // A text box raises its change event only when its text changes: showing
    // a sheet puts the same descriptions back and changes nothing.
    if (s.form.txtDescri.at(index).text == text) return;
    s.form.txtDescri.at(index).text = std::move(text);
    txtDescri_Change(s, index);
}

void SetShrinkFactorText(Session& s, std::string text)
{
    s.form.txtShrinkFactor.text = std::move(text);
    txtShrinkFactor_Change(s);
}

void SetCheck1(Session& s, int value)
{
    if (s.form.embankmentCheck == value) return;
    s.form.embankmentCheck = value;
    Check1_Click(s);
}

void SetOptMetric(Session& s)
{
    if (s.form.optMetric) return;
    s.form.optMetric = true;
    s.form.optEnglish = false;
    optMetric_Click(s);
}

void SetOptEnglish(Session& s)
{
    if (s.form.optEnglish) return;
    s.form.optEnglish = true;
    s.form.optMetric = false;
    optEnglish_Click(s);
}

void txtDescri_Change(Session& s, int)
{
    Guarded(s.ask, "Program Error: ", " occured in txtDescri_Change",
            [&] { s.doc.DataChanged = !s.doc.LogMode; });
}

bool txtDescri_KeyPress(Session& s, int index, int key)
{
    if (key != 13) return false;
    Guarded(s.ask, "Program Error: ", " occured in txtDescri_keypress", [&] {
        s.doc.DescriptionFields.at(index) = s.form.txtDescri.at(index).text;
        static constexpr FocusTarget next[] = {FocusTarget::ProjectNo, FocusTarget::ControlNo,
                                               FocusTarget::ShrinkFactor};
        s.form.Focus = next[index];
    });
    return true;
}

void txtDescri_LostFocus(Session& s, int index)
{
    Guarded(s.ask, "Program Error: ", " occured in txtdescri",
            [&] { s.doc.DescriptionFields.at(index) = s.form.txtDescri.at(index).text; });
}

void txtShrinkFactor_Change(Session& s)
{
    Guarded(s.ask, "Program Error: ", " txtShrinkFactor_Change(frmmain)", [&] {
        const std::string v = FormatAreaText(s.form.txtShrinkFactor.text);
        Sheet& sheet = s.CurrentSheet();
        if (Trim(v) != sheet.BalanceFactor) {
            // Showing a sheet writes its factor in the box's form ("1" as
            // "1.00"): the same number is no change of the document.
            const bool sameNumber = ParseNumber(sheet.BalanceFactor) && Trim(FormatAreaText(sheet.BalanceFactor)) == Trim(v);
            sheet.BalanceFactor = v;
            // While a log is open there is no sheet document to save.
            if (!s.doc.LogMode && !sameNumber) s.doc.DataChanged = true;
        }
    });
}

void Check1_Click(Session& s)
{
    if (s.form.embankmentCheck == 1) {
        SetShrinkFactorText(s, "1.000");
        s.form.txtShrinkFactor.locked = true;
    } else {
        s.form.txtShrinkFactor.locked = false;
    }
}

void Check1_UserClick(Session& s)
{
    SetCheck1(s, s.form.embankmentCheck == 1 ? 0 : 1);
    Guarded(s.ask, "Program Error: ", " occured in Check1_Click",
            [&] {
                Sheet& sheet = s.CurrentSheet();
                // A log's tab is not a sheet document: nothing of it is saved.
                if (sheet.MeasuredInEmbankment != s.form.embankmentCheck && !s.doc.LogMode) {
                    sheet.MeasuredInEmbankment = static_cast<int16_t>(s.form.embankmentCheck);
                    s.doc.DataChanged = true;
                }
                // A sheet no longer measured in embankment takes a factor again
                // (showing a flagged sheet greys the box).
                if (s.form.embankmentCheck == 0) s.form.txtShrinkFactor.enabled = true;
            });
}

namespace {
void ChooseUnitSystem(Session& s, int16_t system, const char* caption)
{
    s.form.Label5Caption = caption;
    s.form.Label5Visible = true;
    s.form.Frame1Visible = false;
    // The unit system is saved with the document: a choice that changes it is
    // a change (the readers clear the mark after choosing for a document read),
    // and a choice never clears a mark that typing set.
    if (s.doc.UnitSystem != system && !s.doc.LogMode) s.doc.DataChanged = true;
    s.doc.UnitSystem = system;
    UpDateUnits(s);
}
} // namespace

void optMetric_Click(Session& s)
{
    Guarded(s.ask, "Program Error: ", "occured in Option1_click",
            [&] { ChooseUnitSystem(s, 1, "Metric System"); });
}

void optEnglish_Click(Session& s)
{
    Guarded(s.ask, "Program Error: ", " occured in Option2_click",
            [&] { ChooseUnitSystem(s, 0, "English System"); });
}

void SetMeasurementSystem(Session& s)
{
    Guarded(s.ask, "Program Error : ", " occured in SetMesurementSyste", [&] {
        if (s.doc.UnitSystem != 0) SetOptMetric(s);
        else SetOptEnglish(s);
    });
}

} // namespace mardex
