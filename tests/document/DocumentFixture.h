#pragma once
// A started program (Form_Load done) with scripted boxes and a folder of its own.
#include "app/MainForm.h"
#include "app/Session.h"
#include "app/FileCommands.h"
#include "support/ScriptedPrompter.h"
#include "text/NumberText.h"
#include "support/TempDir.h"

#include <string>

namespace mardex::test {

struct Program {
    TempDir dir;
    ScriptedPrompter ask;
    Session s{ask};

    Program()
    {
        WriteFile(dir / "mardex3.ini", "[Settings]\r\nReportFolder = " + dir.path().string() + "/\r\n");
        s.ProgramFolder = dir.path().string();
        Form_Load(s);
    }

    std::string Path(const std::string& name) const { return dir / name; }

    // File > Open of `path` with no save question (the document is unchanged).
    void Open(const std::string& path)
    {
        ask.Then(Picks(path));
        mnuFileOpen_Click(s);
    }

    std::string Cell(int sheet, int col, int row) const { return std::string(s.store[sheet].Cell(col, row)); }
};

// A document in the current layout: header lines, then the given blocks.
inline std::string Document(const std::string& blocks, const std::string& unit = "[ENGLISH]")
{
    return "[VERSION 2002]\r\n" + unit + "\r\nDESIGNER\r\nPROJECT\r\nCONTROL\r\n" + blocks + "[LAST RECORD]\r\n";
}

inline std::string Block(int number, const std::string& name, const std::string& factor, const std::string& rows,
                         const std::string& embankment = " 0 ")
{
    return "[END AREA " + std::to_string(number) + " " + name + "]\r\n#BALANCE FACTOR\r\n" + factor +
           "\r\n#MEASURED IN EMBANKMENT\r\n" + embankment +
           "\r\n#STATION      CODE    CUTAREA       ADDEDCUT(vol.)     FILLAREA     ADDEDFILL(vol.)\r\n" + rows;
}

inline std::string Row(const std::string& station, double cut)
{
    char line[128];
    std::snprintf(line, sizeof line, "%s           -%12.2f        0.00        0.00        0.00\r\n", station.c_str(), cut);
    return line;
}

} // namespace mardex::test
