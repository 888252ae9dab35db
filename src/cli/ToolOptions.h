#pragma once
// Command line of mardex-report.
#include <optional>
#include <string>
#include <vector>

namespace mardex::cli {

struct ToolOptions {
    bool help = false;
    bool version = false;
    bool accumulated = false;
    bool allSheets = false;
    int sheet = 1;            // 1-based tab to click before the report
    bool sheetGiven = false;
    std::string output;       // --output FILE
    std::string saveAs;       // --save-as OUT.mdx
    std::string pdf;          // --pdf FILE
    bool print = false;       // --print
    std::string printer;      // --printer NAME (default: the system's default printer)
    std::string stickup;      // --stickup DESIGN.dgn
    std::string seed;         // --seed SEED.dgn
    std::string ground;       // --ground NAME: LandXML surfaces
    std::string design;       // --design NAME
    std::string exportCsv;    // --export-csv OUT.csv
    std::string reportCsv;    // --report-csv OUT.csv
    bool metric = false;      // --metric: a CSV sheet is metric
    std::string document;     // the document or log
    std::string haulTable;    // --haul-table OUT.csv
    std::string massHaul;     // --mass-haul OUT.pdf|svg|png
    double freeHaul = 0;      // --free-haul F (0: none, except for --haul-plan)
    bool freeHaulGiven = false;
    bool priceGiven = false;
    double overhaulPrice = 0; // --overhaul-price P
    bool replaceCompanion = false;  // --replace-companion: a log's edited companion is replaced
    // The first of --free-haul and --overhaul-price that is not a number of
    // at least 0 (a haul plan refuses it itself).
    std::string badHaulNumber;
    std::string haulPlan;     // --haul-plan PLAN.csv
    std::string sites;        // --sites SITES.csv (default: the document's NAME.sites.csv)
};

// Parses argv; nullopt with `error` set on bad usage.
std::optional<ToolOptions> ParseToolOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const UsageText;

} // namespace mardex::cli
