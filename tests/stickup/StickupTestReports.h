#pragma once
// Combined report files shaped as the report writer writes them, with body
// lines that name their section and row so a test can find every one.
#include "app/Session.h"
#include "render/DesignHost.h"
#include "support/TempDir.h"

#include <algorithm>
#include <string>
#include <vector>

namespace mardex::test {

struct SectionSpec {
    std::string tab;
    int lines;
    std::string project = "P-1";
    std::string control = "1234";
};

inline std::string BodyLine(const std::string& tab, int k) { return tab + " line " + std::to_string(k); }

inline std::string SectionText(const SectionSpec& s, const std::string& eol = "\r\n")
{
    std::string t = "#Designer= someone" + eol + "#Project No.= " + s.project + eol + "#Control No.= " + s.control +
                    eol + "#TabName= " + s.tab + eol + "#System= 0" + eol + "#Embankment= 0" + eol;
    for (int k = 1; k <= s.lines; ++k) t += BodyLine(s.tab, k) + eol;
    return t + std::string(65, '#') + eol;
}

inline std::string ReportText(const std::vector<SectionSpec>& sections)
{
    std::string t;
    for (const auto& s : sections) t += SectionText(s);
    return t;
}

inline const TextElement* FindText(const std::vector<TextElement>& elements, const std::string& text)
{
    const auto it = std::find_if(elements.begin(), elements.end(), [&](const TextElement& e) { return e.text == text; });
    return it == elements.end() ? nullptr : &*it;
}

inline std::vector<const TextElement*> TextsStartingWith(const std::vector<TextElement>& elements,
                                                        const std::string& prefix)
{
    std::vector<const TextElement*> out;
    for (const auto& e : elements)
        if (e.text.rfind(prefix, 0) == 0) out.push_back(&e);
    return out;
}

inline std::string TabLine(const std::string& tab) { return std::string(20, ' ') + "BASELINE/TAB NAME: " + tab; }

// Sheet n (from 1): left table x, right table x, master point x.
inline double LeftX(int n) { return 1000 + 4000.0 * n; }
inline double RightX(int n) { return 2585 + 4000.0 * n; }
inline double MasterX(int n) { return 900 + 4000.0 * n; }
inline double RowY(int k) { return 6800 - 30.0 * (k - 1); }

} // namespace mardex::test
