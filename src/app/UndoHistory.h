#pragma once
// Undo and redo of everything that changes the document. A command runs
// through Run(); when the document differs afterwards, the sheets it changed
// (before and after) and the document's own values become one step. Typing
// into one cell is one step however many keys it takes.
#include "model/SheetStore.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mardex {

class Session;

class UndoHistory {
public:
    enum class Kind {
        Edit,      // a change to undo
        Typing,    // keys into the current cell: one step per cell
        NewState,  // New, Open: the history starts again
    };

    void Run(Session& s, const std::string& name, Kind kind, const std::function<void()>& command);

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < steps_.size(); }
    std::string UndoName() const { return CanUndo() ? steps_[position_ - 1].name : std::string(); }
    std::string RedoName() const { return CanRedo() ? steps_[position_].name : std::string(); }
    // Back to the state before the last step (or forward again). Back at the
    // saved state the document counts as unchanged.
    void Undo(Session& s);
    void Redo(Session& s);
    void Clear();

private:
    // The document's own values, apart from its sheets. The sheet shown is
    // restored with them but is no change of its own.
    struct Values {
        int16_t sheetCount = 0, currentSheet = 0, unitSystem = 0;
        std::array<std::string, 3> descriptions;
        bool SameDocument(const Values& o) const
        {
            return sheetCount == o.sheetCount && unitSystem == o.unitSystem && descriptions == o.descriptions;
        }
    };
    struct Step {
        std::string name;
        Values before, after;
        std::vector<int> sheets;              // indices of the sheets changed
        std::vector<Sheet> sheetsBefore, sheetsAfter;
        std::array<int, 3> cell{-1, -1, -1};  // Typing: sheet, row, column
    };

    static Values Capture(const Session& s);
    static void Show(Session& s, const Values& values, const std::vector<int>& sheets, const std::vector<Sheet>& content);
    void MarkChanged(Session& s) const;

    std::vector<Step> steps_;
    std::size_t position_ = 0;        // steps before it are done
    std::ptrdiff_t saved_ = 0;        // the position the saved file holds; -1 none
    static constexpr std::size_t MaxSteps = 200;
};

} // namespace mardex
