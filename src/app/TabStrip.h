#pragma once
// The tab strip above the grid (one tab per sheet) and Edit > Group.
#include <string>
#include <vector>

namespace mardex {

class Session;

enum MouseButton : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

inline const std::string SheetLimitMessage =
    "A document holds at most 26 groups: no further group can be inserted.";

// Mouse-up on the tab strip; the selected tab is s.form.SelectedTab.
void TabStrip1_MouseUp(Session& s, int button, int shift, float x, float y);
void mnuGroupInsert_Click(Session& s);
void mnuGroupDelete_Click(Session& s);
void mnuGroupRename_Click(Session& s);

// The captions the strip shows, tab i + 1 at index i: the sheets' names, or
// while a GEOPAK log is open the log tabs' captions.
std::vector<std::string> TabCaptions(const Session& s);
// The first `count` of them, as when SheetCount was `count`.
std::vector<std::string> TabCaptions(const Session& s, int count);

// The caption the strip shows for sheet `index`; `otherwise` when it has no
// such tab. Reports print the caption, not the stored name.
std::string CaptionOfTab(const Session& s, int index, const std::string& otherwise);

} // namespace mardex
