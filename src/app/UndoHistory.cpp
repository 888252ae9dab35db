#include "app/UndoHistory.h"

#include "app/Session.h"
#include "app/DocumentReader.h"

namespace mardex {

namespace {

// Same name, factor, flag and rows up to the end marker: what is saved. Slots
// past the end (an end marker moved below the entry row) are no change, so
// moving over the grid never makes a step nor a saved state of its own.
bool SameSheet(const Sheet& a, const Sheet& b)
{
    if (a.TabName != b.TabName || a.BalanceFactor != b.BalanceFactor || a.MeasuredInEmbankment != b.MeasuredInEmbankment)
        return false;
    const int end = a.EndRow();
    if (b.EndRow() != end) return false;
    for (int r = 0; r < end; ++r)
        for (int c = 0; c < ColumnCount; ++c)
            if (a.Cell(c, r) != b.Cell(c, r)) return false;
    return true;
}

} // namespace

UndoHistory::Values UndoHistory::Capture(const Session& s)
{
    return {s.doc.SheetCount, s.doc.CurrentSheet, s.doc.UnitSystem, s.doc.DescriptionFields};
}

void UndoHistory::Run(Session& s, const std::string& name, Kind kind, const std::function<void()>& command)
{
    if (s.doc.LogMode) {
        command();
        return;
    }
    const Values before = Capture(s);
    // Typing writes only into the sheet shown: only that one is kept (a copy
    // of all 26 full sheets on every key would be felt).
    std::vector<int> watched;
    if (kind == Kind::Typing) watched.push_back(s.doc.CurrentSheet);
    else
        for (int i = 0; i < MaxSheets; ++i) watched.push_back(i);
    std::vector<Sheet> kept;
    kept.reserve(watched.size());
    for (const int i : watched) kept.push_back(s.store[i]);
    const std::array<int, 3> cell{s.doc.CurrentSheet, s.form.grid.Row(), s.form.grid.Col()};
    command();
    if (kind == Kind::NewState || s.doc.LogMode) {
        bool changed = !Capture(s).SameDocument(before);
        for (std::size_t k = 0; k < watched.size() && !changed; ++k) changed = !SameSheet(kept[k], s.store[watched[k]]);
        if (changed || !s.doc.DataChanged) {
            Clear();
            // A document that is not a file yet has no saved state.
            if (s.doc.DataChanged) saved_ = -1;
        }
        return;
    }
    Step step;
    step.name = name;
    step.before = before;
    step.after = Capture(s);
    for (std::size_t k = 0; k < watched.size(); ++k) {
        const int i = watched[k];
        if (SameSheet(kept[k], s.store[i])) continue;
        step.sheets.push_back(i);
        step.sheetsBefore.push_back(std::move(kept[k]));
        step.sheetsAfter.push_back(s.store[i]);
    }
    if (step.sheets.empty() && step.before.SameDocument(step.after)) {
        // Nothing changed; a save leaves the document as the file holds it.
        if (!s.doc.DataChanged) saved_ = static_cast<std::ptrdiff_t>(position_);
        return;
    }
    if (kind == Kind::Typing) step.cell = cell;
    // The steps undone are dropped; the saved state among them can no longer be reached.
    if (saved_ > static_cast<std::ptrdiff_t>(position_)) saved_ = -1;
    steps_.resize(position_);
    if (kind == Kind::Typing && !steps_.empty() && steps_.back().cell == cell && steps_.back().sheets == step.sheets &&
        saved_ != static_cast<std::ptrdiff_t>(position_)) {
        // More keys into the same cell: the step grows.
        Step& grown = steps_.back();
        grown.after = step.after;
        grown.sheetsAfter = std::move(step.sheetsAfter);
        bool back = grown.before.SameDocument(grown.after);
        for (std::size_t k = 0; k < grown.sheets.size() && back; ++k) back = SameSheet(grown.sheetsBefore[k], grown.sheetsAfter[k]);
        if (back) {
            // Typing that ends where it began (Escape) is no step.
            steps_.pop_back();
            position_ = steps_.size();
            if (!s.doc.DataChanged) saved_ = static_cast<std::ptrdiff_t>(position_);
        }
        return;
    }
    steps_.push_back(std::move(step));
    if (steps_.size() > MaxSteps) {
        steps_.erase(steps_.begin());
        --saved_;
    }
    position_ = steps_.size();
    if (!s.doc.DataChanged) saved_ = static_cast<std::ptrdiff_t>(position_);
}

void UndoHistory::Show(Session& s, const Values& values, const std::vector<int>& sheets, const std::vector<Sheet>& content)
{
    for (std::size_t k = 0; k < sheets.size(); ++k) s.store[sheets[k]] = content[k];
    s.doc.SheetCount = values.sheetCount;
    s.doc.UnitSystem = values.unitSystem;
    s.doc.DescriptionFields = values.descriptions;
    s.doc.CurrentSheet = values.currentSheet;
    ShowReadDocument(s, 0, false);
}

void UndoHistory::MarkChanged(Session& s) const
{
    s.doc.DataChanged = saved_ != static_cast<std::ptrdiff_t>(position_);
}

void UndoHistory::Undo(Session& s)
{
    if (!CanUndo()) return;
    const Step& step = steps_[--position_];
    Show(s, step.before, step.sheets, step.sheetsBefore);
    MarkChanged(s);
}

void UndoHistory::Redo(Session& s)
{
    if (!CanRedo()) return;
    const Step& step = steps_[position_++];
    Show(s, step.after, step.sheets, step.sheetsAfter);
    MarkChanged(s);
}

void UndoHistory::Clear()
{
    steps_.clear();
    position_ = 0;
    saved_ = 0;
}

} // namespace mardex
