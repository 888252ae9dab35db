#include "app/GenerateStickupSheets.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "text/NumberText.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>

namespace mardex {

namespace {

using namespace stickup;

const std::string GenerateTitle = "Generate Stickup Sheets";

const char* const CaptionLines[] = {
    "Station         **************Excavation******   **********************Embankment*************************",
    "                CUT        ADDED      TOTAL       FILL      ADDED       TOTAL     BALANCE   ADJUSTED      MASS",
    "               AREA        CUT        CUT-VOL     AREA      FILL        FILL-VOL  FACTOR    FILL-VOL      ORDINATE",
    "               Sq.Ft.      Cu.Yds.    Cu.Yds.    Sq.Ft.    Cu.Yds.     Cu.Yds.              Cu.Yds.       Cu.Yds.",
};
const double CaptionSteps[] = {40, 15, 15, 15};

// Lines end at CR LF, CR or LF; reading past the last line is the file error
// the run reports.
class ReportLines {
public:
    explicit ReportLines(const std::string& path) : in_(path, std::ios::binary)
    {
        if (!in_) throw RuntimeFault("File not found");
        Advance();
    }
    bool AtEnd() const { return !next_; }
    std::string Read()
    {
        if (!next_) throw RuntimeFault("Input past end of file");
        std::string line = std::move(*next_);
        Advance();
        return line;
    }

private:
    void Advance()
    {
        next_.reset();
        std::string line;
        int c;
        bool any = false;
        while ((c = in_.get()) != EOF) {
            any = true;
            if (c == '\n') break;
            if (c == '\r') {
                if (in_.peek() == '\n') in_.get();
                break;
            }
            line.push_back(static_cast<char>(c));
        }
        if (in_.bad()) throw RuntimeFault("Device I/O error");
        if (any) next_ = std::move(line);
    }

    std::ifstream in_;
    std::optional<std::string> next_;
};

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::exists(path, ec) && !std::filesystem::is_directory(path, ec);
}

// Text from the 1-based position `from` on, trimmed of blanks.
std::string From(const std::string& line, std::size_t from)
{
    return line.size() < from ? std::string() : Trim(std::string_view(line).substr(from - 1));
}

struct SectionHeader {
    std::string projectNo, controlNo, tabName;
};

SectionHeader ReadSectionHeader(ReportLines& report)
{
    SectionHeader h;
    report.Read();  // designer
    h.projectNo = From(report.Read(), 14);
    h.controlNo = From(report.Read(), 14);
    h.tabName = From(report.Read(), 10);
    report.Read();  // unit system
    report.Read();  // embankment
    return h;
}

std::optional<std::string> FindBorderFile(Session& s, DesignHost& host)
{
    if (host.IsConfigurationVariableDefined("MS_RFDIR")) {
        const std::string dirs = host.ExpandConfigurationVariable("MS_RFDIR");
        std::size_t start = 0;
        while (start <= dirs.size()) {
            std::size_t end = dirs.find(';', start);
            if (end == std::string::npos) end = dirs.size();
            const std::string entry = dirs.substr(start, end - start);
            // Entries are joined as they stand: the folder ends with its own separator.
            if (!entry.empty() && FileExists(entry + BorderFileName)) return entry + BorderFileName;
            start = end + 1;
        }
    }
    const std::string beside = host.ActiveDesignFileFolder() + "/" + BorderFileName;
    if (FileExists(beside)) return beside;
    const std::string shipped = s.ProgramFolder + "/" + BorderFileName;
    if (FileExists(shipped)) return shipped;
    return std::nullopt;
}

TextElement MakeTemplate(DesignHost& host)
{
    TextElement t;
    t.text = "Base";
    t.origin = host.CurrentPoint();
    t.rotation = host.CurrentRotation();
    t.level = host.FindLevel("Level 1");
    if (!t.level) t.level = host.ActiveLevel();
    t.firstAttribute = 36;
    auto style = host.FindLineStyle("0");
    if (!style) style = host.ActiveLineStyle();
    t.lineStyle = style.value_or(std::string());
    t.secondAttribute = 1;
    t.placement = 2;
    t.height = 10;
    t.width = 11;
    try {
        t.font = host.FindFont(3, "courier new");
    } catch (const std::exception&) {
        // The host's default font stays.
    }
    return t;
}

void Put(DesignHost& host, TextElement& element, const std::string& text, double x, double y)
{
    element.text = text;
    element.origin = DesignPoint{x, y, 0};
    host.AddElement(element);
}

class Layout {
public:
    Layout(DesignHost& host, TextElement& element, ReportLines& report, std::optional<std::string> border)
        : host_(host), t_(element), report_(report), border_(std::move(border))
    {
    }

    int Run()
    {
        header_ = ReadSectionHeader(report_);
        bool finished = false;
        while (!finished && (carry_ || !report_.AtEnd())) {
            StartTable();
            int drawn = 0;
            finished = FillTable(drawn);
            if (!finished && !carry_ && drawn == RowsPerTable) finished = LookPastFullTable();
        }
        return sheetNumber_;
    }

private:
    void StartTable()
    {
        y_ = TableTopY;
        if (++column_ > 2) {
            column_ = 1;
            x_ += NextSheetStep;
            ++sheetNumber_;
            master_.x += SheetPitch;
            if (border_) DrawSheetFrame();
        } else {
            x_ += RightTableStep;
        }
        WriteSheetTableHeader(host_, t_, x_, y_, header_.tabName);
    }

    void DrawSheetFrame()
    {
        ReferenceAttachment a;
        a.file = *border_;
        a.logicalName = "SheetBorder" + std::to_string(sheetNumber_);
        a.description = BorderDescription;
        a.masterPoint = master_;
        host_.AttachReference(a);
        t_.firstAttribute = 34;
        Put(host_, t_, "STIK_SHEET_#_" + TwoDigits(sheetNumber_), x_ - 100, y_ + 275);
        t_.placement = 7;
        Put(host_, t_, header_.projectNo, x_ + 2889.6, y_ + 32);
        Put(host_, t_, header_.controlNo, x_ + 2905.64, y_ + 9.48);
        t_.firstAttribute = 36;
        t_.placement = 2;
    }

    // Rows 1..54 of the current table; true when the drawing is complete.
    bool FillTable(int& drawn)
    {
        for (int row = 1; row <= RowsPerTable; ++row) {
            std::string line;
            if (carry_) {
                line = std::move(*carry_);
                carry_.reset();
            } else {
                if (report_.AtEnd()) return true;
                line = report_.Read();
                if (!line.empty() && line[0] == '#') {
                    if (report_.AtEnd()) return true;
                    header_ = ReadSectionHeader(report_);
                    line = report_.Read();
                    // A late section, or one whose gap and header would push its
                    // first row below the sheet's lowest line, begins the next table.
                    const double firstRowY = y_ - SectionGap - HeaderHeight();
                    if (row > LastRowForNewSection || firstRowY < LowestRowY) {
                        carry_ = std::move(line);
                        return false;
                    }
                    y_ -= SectionGap;
                    WriteSheetTableHeader(host_, t_, x_, y_, header_.tabName);
                }
            }
            if (y_ < LowestRowY) {
                carry_ = std::move(line);
                return false;
            }
            Put(host_, t_, line, x_, y_);
            y_ -= RowPitch;
            drawn = row;
        }
        return false;
    }

    // A full table: a closing line at the end of the file ends the drawing; a
    // closing line before another section reads its header first, so the next
    // table is headed (and a new sheet numbered) by the section it shows.
    bool LookPastFullTable()
    {
        if (report_.AtEnd()) return true;
        std::string line = report_.Read();
        if (!line.empty() && line[0] == '#') {
            if (report_.AtEnd()) return true;
            header_ = ReadSectionHeader(report_);
            line = report_.Read();
        }
        carry_ = std::move(line);
        return false;
    }

    static double HeaderHeight()
    {
        double h = 15 + 25;  // the rule line and the space below it
        for (double step : CaptionSteps) h += step;
        return h;
    }

    DesignHost& host_;
    TextElement& t_;
    ReportLines& report_;
    std::optional<std::string> border_;
    SectionHeader header_;
    std::optional<std::string> carry_;
    double x_ = FirstColumnX;
    double y_ = TableTopY;
    int column_ = 2;
    int sheetNumber_ = 0;
    DesignPoint master_{MasterX, MasterY, 0};
};

// Lets go of the host on every way out.
struct HostRelease {
    DesignHost& host;
    ~HostRelease()
    {
        try {
            host.Release();
        } catch (...) {
        }
    }
};

} // namespace

void WriteSheetTableHeader(DesignHost& host, TextElement& element, double x, double& y, const std::string& tabName)
{
    Put(host, element, std::string(20, ' ') + "BASELINE/TAB NAME: " + tabName, x, y);
    for (int i = 0; i < 4; ++i) {
        y -= CaptionSteps[i];
        Put(host, element, CaptionLines[i], x, y);
    }
    y -= 15;
    Put(host, element, std::string(95, '*'), x, y);
    y -= 25;
}

StickupResult GenerateStickupSheets(Session& s, DesignHost& host, const std::string& designPath,
                                    const std::string& reportPath)
{
    StickupResult result;
    if (!FileExists(reportPath)) {
        s.ask.Ask(MessageBox{"Report file (" + reportPath + ") Not Found", Buttons::OK, Icon::Critical, GenerateTitle});
        return result;
    }
    if (!FileExists(designPath)) {
        s.ask.Ask(MessageBox{"Design file (" + designPath + ") Not Found", Buttons::OK, Icon::Critical, GenerateTitle});
        return result;
    }
    HostRelease release{host};
    try {
        host.Start();
        host.OpenDesignFile(designPath);
        if (host.IsActiveModelReadOnly()) {
            s.ask.Ask(MessageBox{"Design File is Read Only, cannot generate Stickup Sheets", Buttons::OK,
                                 Icon::Critical, s.form.Caption});
            return result;
        }
        const auto border = FindBorderFile(s, host);
        if (!border) {
            const Answer a = s.ask.Ask(MessageBox{
                "Border Reference File Not Found! Do you want to generate the sheets without borders?",
                Buttons::YesNo, Icon::None, s.form.Caption});
            if (a != Answer::Yes) return result;
        }
        result.withBorders = border.has_value();
        TextElement element = MakeTemplate(host);
        {
            ReportLines report(reportPath);
            Layout layout(host, element, report, border);
            result.sheets = layout.Run();
        }
        host.FinishAndSave();
        result.completed = true;
    } catch (const std::exception& e) {
        s.ask.Ask(MessageBox{"Error Generating Stickup Sheets: " + std::string(e.what()), Buttons::OK, Icon::Critical,
                             GenerateTitle});
        result.completed = false;
    }
    return result;
}

} // namespace mardex
