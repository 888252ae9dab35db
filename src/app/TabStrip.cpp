#include "app/TabStrip.h"

#include "app/Guarded.h"
#include "app/HeaderFields.h"
#include "app/MainForm.h"
#include "app/Session.h"
#include "app/LogCommands.h"
#include "model/LogTables.h"
#include "text/NumberText.h"

#include <algorithm>

namespace mardex {

namespace {

constexpr std::size_t NameLength = 20;

std::string Cut(const std::string& name) { return name.substr(0, std::min(name.size(), NameLength)); }

// The box's text converted to a number and back to text in its shortest form.
std::string FactorFromBox(Session& s)
{
    const auto value = ParseNumber(s.form.txtShrinkFactor.text);
    return value ? GeneralText(*value) : s.form.txtShrinkFactor.text;
}

void ShowSheetOfTab(Session& s)
{
    s.doc.CurrentSheet = static_cast<int16_t>(s.form.SelectedTab);
    ResetMainForm(s);
    FillMainForm(s);
    Sheet& sheet = s.CurrentSheet();
    SetShrinkFactorText(s, FormatAreaText(sheet.BalanceFactor));
    SetCheck1(s, sheet.MeasuredInEmbankment);
    s.form.txtShrinkFactor.enabled = sheet.MeasuredInEmbankment != 1;
}

// ---------------------------------------------------------------------------
// GEOPAK log open (LogMode set): a tab is one baseline of the logs read.
// The report of that baseline is rebuilt and previewed here; the log commands
// fill in the report step.
void ShowLogTab(Session& s)
{
    s.doc.CurrentSheet = static_cast<int16_t>(s.form.SelectedTab);
    LogTabClick(s, s.form.SelectedTab);  // takes the baseline from the tab's caption
}
// ---------------------------------------------------------------------------

// Sheet `to` takes sheet `from` whole: name, factor, flag and every row (an
// inserted row with a blank station included).
void MoveSheet(SheetStore& store, int from, int to) { store[to] = store[from]; }

void EmptySheetNamed(Session& s, const std::string& name)
{
    ResetMainForm(s);
    s.form.SelectedTab = 0;
    s.doc.CurrentSheet = 0;
    s.doc.SheetCount = 1;
    s.store[0].TabName = name;
}

// How many of the first `count` tabs can show a caption.
int TabsShown(const Session& s, int count)
{
    if (!s.doc.LogMode) return std::clamp(count, 0, MaxSheets);
    return s.logsIfCreated() ? std::clamp(count, 0, LogSheets) : 0;
}

std::string CaptionAt(const Session& s, int index)
{
    return s.doc.LogMode ? LogTabCaption((*s.logsIfCreated())[index].BaselineName) : s.store[index].TabName;
}

} // namespace

std::vector<std::string> TabCaptions(const Session& s, int count)
{
    std::vector<std::string> captions;
    const int shown = TabsShown(s, count);
    for (int i = 0; i < shown; ++i) captions.push_back(CaptionAt(s, i));
    return captions;
}

std::vector<std::string> TabCaptions(const Session& s) { return TabCaptions(s, s.doc.SheetCount); }

std::string CaptionOfTab(const Session& s, int index, const std::string& otherwise)
{
    if (index < 0 || index >= TabsShown(s, s.doc.SheetCount)) return otherwise;
    return CaptionAt(s, index);
}

void TabStrip1_MouseUp(Session& s, int button, int, float, float)
{
    Guarded(s.ask, " Program Error: ", " txtDescri_MouseUp(frmmain))", [&] {
        if (button == LeftButton) {
            if (s.form.SelectedTab < 0 || s.form.SelectedTab >= TabsShown(s, s.doc.SheetCount)) return;
            if (s.doc.LogMode) ShowLogTab(s);
            else ShowSheetOfTab(s);
            return;
        }
        if (button != RightButton) return;
        // A right click selects the tab it is on, so the report offered is that
        // sheet's; the grid goes on showing the current sheet, never emptied.
        const bool otherTab = s.form.SelectedTab != s.doc.CurrentSheet &&
                              s.form.SelectedTab >= 0 && s.form.SelectedTab < TabsShown(s, s.doc.SheetCount);
        if (otherTab && !s.doc.LogMode) ShowSheetOfTab(s);
        else s.form.SelectedTab = s.doc.CurrentSheet;  // a log's baseline changes by a left click only
        s.hooks->PopupPrintPreviewMenu();
    });
}

// Sheet names, added sheets and removed ones are saved with the document:
// every Group command that changes them marks the document changed, so that
// closing the window offers to save them instead of dropping them silently.
void mnuGroupInsert_Click(Session& s)
{
    // Whatever the answers, the keys go to the grid afterwards, never to a header box.
    s.form.Focus = FocusTarget::Grid;
    Guarded(s.ask, "Program Error: ", " occured in mnuGroupInsert", [&] {
        if (s.doc.SheetCount >= MaxSheets) {
            s.ask.Message(SheetLimitMessage, Icon::Exclamation);
            return;
        }
        const std::string answer =
            s.ask.Input("NAME THE GROUP or FILE-TAB(WHICH WILL BE SAVED IN THE FILE).", "NAME FILE-TAB", "MarDex ");
        if (answer.empty()) return;
        const std::string name = Cut(answer);
        s.doc.CurrentSheet = s.doc.SheetCount;
        s.doc.SheetCount += 1;
        Sheet& sheet = s.CurrentSheet();
        sheet.TabName = name;
        // The slot may hold rows of an earlier document or sheet: none of them
        // may come back under the new tab.
        sheet.ClearRows();
        SetShrinkFactorText(s, "1.000");
        sheet.MeasuredInEmbankment = 0;
        sheet.BalanceFactor = FactorFromBox(s);
        s.form.SelectedTab = s.doc.CurrentSheet;
        // The grid shows the new, empty sheet: it is the one edits now go to.
        GridModel& grid = s.form.grid;
        grid.SetRows(GridHeaderRows + 1);
        for (int c = 0; c < GridColumns; ++c) grid.SetText(GridHeaderRows, c, "");
        grid.SetRow(GridHeaderRows);
        SetCheck1(s, sheet.MeasuredInEmbankment);
        s.form.txtShrinkFactor.enabled = true;
        s.form.GridShowsSheet = true;
        s.form.Focus = FocusTarget::Grid;
        s.doc.DataChanged = true;
    });
}

void mnuGroupDelete_Click(Session& s)
{
    // Whatever the answers, the keys go to the grid afterwards, never to a header box.
    s.form.Focus = FocusTarget::Grid;
    Guarded(s.ask, "Program Error: ", " occured in mnuGroupDelete", [&] {
        const Answer sure = s.ask.Ask(
            MessageBox{"Do you wish to delete the selected group ? ", Buttons::YesNo, Icon::None, "Delete Group"});
        if (sure != Answer::Yes) {
            s.ask.Message("You have selected no to delete the group");
            return;
        }
        if (s.doc.SheetCount > 1) {
            const int removed = std::clamp(s.form.SelectedTab, 0, s.doc.SheetCount - 1);
            s.doc.CurrentSheet = static_cast<int16_t>(removed);
            s.CurrentSheet().TabName.clear();
            s.form.TabStripEnabled = true;
            s.form.TabStripVisible = true;
            for (int k = removed; k + 1 < s.doc.SheetCount; ++k) MoveSheet(s.store, k + 1, k);
            // The slot freed at the end starts afresh for a later insert.
            Sheet& freed = s.store[s.doc.SheetCount - 1];
            freed = Sheet{};
            freed.SetCell(ColStation, 0, std::string(EndMarker));
            s.doc.SheetCount -= 1;
            // The first tab is selected, and its sheet is shown and takes the
            // edits at once: the grid never shows one sheet while edits go to another.
            s.form.SelectedTab = 0;
            ShowSheetOfTab(s);
            s.form.Focus = FocusTarget::Grid;
            s.doc.DataChanged = true;
            return;
        }
        const std::string answer = s.ask.Input("Re-Name Default File-Tab", "RE-NAME FILE-TAB", "Mardex ");
        if (answer.empty()) return;
        const std::string name = Cut(answer);
        EmptySheetNamed(s, name);
        SetShrinkFactorText(s, "1.000");
        Sheet& sheet = s.store[0];
        SetCheck1(s, sheet.MeasuredInEmbankment);
        sheet.ClearRows();
        sheet.BalanceFactor = FactorFromBox(s);
        s.form.GridShowsSheet = true;
        s.doc.DataChanged = true;
    });
}

void mnuGroupRename_Click(Session& s)
{
    // Whatever the answers, the keys go to the grid afterwards, never to a header box.
    s.form.Focus = FocusTarget::Grid;
    Guarded(s.ask, "Program Error: ", " occured in mnuGroupRename", [&] {
        if (s.doc.SheetCount <= 1) {
            const std::string answer = s.ask.Input("Re-Name Default File-Tab", "RE-NAME FILE-TAB", "Mardex ");
            if (answer.empty()) return;
            const std::string name = Cut(answer);
            s.form.SelectedTab = 0;
            s.doc.CurrentSheet = 0;
            s.doc.SheetCount = 1;
            s.store[0].TabName = name;
            s.doc.DataChanged = true;
            return;
        }
        const std::string answer = s.ask.Input("Change File-Tab Name", "CHANGE FILE-TAB NAME", "NEW NAME ");
        if (answer.empty()) return;
        const std::string name = Cut(answer);
        const int tab = std::clamp(s.form.SelectedTab, 0, s.doc.SheetCount - 1);
        s.store[tab].TabName = name;
        s.doc.DataChanged = true;
    });
}

} // namespace mardex
