#include "cli/ToolOptions.h"

#include <cstdlib>

namespace mardex::cli {

namespace {

std::optional<double> NonNegativeNumber(const std::string& text)
{
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(v >= 0) || v > 1e12) return std::nullopt;
    return v;
}

bool HaulOnlyOptions(const ToolOptions& o)
{
    return o.saveAs.empty() && o.stickup.empty() && !o.accumulated && !o.allSheets && o.output.empty() && o.pdf.empty() &&
           !o.print && o.exportCsv.empty() && o.reportCsv.empty();
}

} // namespace

const char* const UsageText =
    "Usage: mardex-report [--accumulated] [--sheet N] [--output FILE] [--pdf FILE] [--print [--printer NAME]] DOCUMENT.mdx\n"
    "   or: mardex-report --all-sheets [--output FILE] [--pdf FILE] [--print [--printer NAME]] DOCUMENT.mdx\n"
    "   or: mardex-report [--accumulated] [--output FILE] [--pdf FILE] [--print [--printer NAME]] [--replace-companion] LOG.log\n"
    "   or: mardex-report --save-as OUT.mdx IN.mdx\n"
    "   or: mardex-report --save-as OUT.mdx [--ground G --design D] IN.xml\n"
    "   or: mardex-report --save-as OUT.mdx [--metric] IN.csv\n"
    "   or: mardex-report --export-csv OUT.csv [--sheet N] DOCUMENT\n"
    "   or: mardex-report --report-csv OUT.csv [--sheet N] DOCUMENT\n"
    "   or: mardex-report --stickup DESIGN.dgn [--seed SEED.dgn] DOCUMENT\n"
    "   or: mardex-report --haul-table OUT.csv [--mass-haul OUT.pdf|svg|png] [--sheet N] [--free-haul F [--overhaul-price P]] DOCUMENT.mdx\n"
    "   or: mardex-report --haul-plan PLAN.csv --free-haul F --overhaul-price P [--sites S.csv] [--mass-haul OUT.pdf|svg|png] [--sheet N] DOCUMENT.mdx\n"
    "\n"
    "Builds the report the window would build for DOCUMENT (File > Open, then\n"
    "Print Preview > Total, or Accumulated) and prints \"<report path>: <N> pages\".\n"
    "DOCUMENT and IN may also be LandXML cross sections (.xml, .landxml) or a\n"
    "CSV sheet (.csv, read as an English sheet named after the file).\n"
    "\n"
    "  --accumulated     the Accumulated report instead of the Total report\n"
    "  --sheet N         report sheet N (1-based, default 1), as a click on its tab\n"
    "  --all-sheets      every sheet in order, Total, in one file (the Stickup Sheets report)\n"
    "  --output FILE     write the report to FILE instead of the report folder\n"
    "  --pdf FILE        also render every page, as Print All does, into the PDF FILE\n"
    "  --print           also print every page, as Print All does, on the default printer\n"
    "  --printer NAME    with --print: the printer to use\n"
    "  --save-as OUT     read IN as File > Open does and write it to OUT as Save does\n"
    "  --stickup DESIGN  copy the seed onto DESIGN and draw the stick-up sheets into it\n"
    "  --seed SEED       the seed design file for --stickup\n"
    "  --ground NAME     the ground surface of a LandXML file: a section line or a\n"
    "                    TIN sampled along the alignment (with --design)\n"
    "  --design NAME     the design surface of a LandXML file (with --ground)\n"
    "  --metric          read a CSV sheet as metric\n"
    "  --replace-companion  replace a log's companion document that differs from the log's rows\n"
    "  --export-csv OUT  write sheet N (default 1) to OUT as CSV\n"
    "  --report-csv OUT  write the figures of sheet N's Total report to OUT as CSV\n"
    "  --haul-table CSV  write the haul analysis of the sheet's Total report as CSV\n"
    "  --mass-haul FILE  draw the sheet's mass-haul diagram into a PDF, SVG or PNG FILE\n"
    "  --free-haul F     free-haul distance (feet or metres) for the overhaul\n"
    "  --overhaul-price P  price per unit of overhaul moment (needs --free-haul)\n"
    "  --haul-plan CSV   write the cheapest haul plan (moves, borrow, waste, costs) as CSV\n"
    "                    and the limit of economic haul of each borrow pit and waste site;\n"
    "                    F and P (at least 0) must be given; with --mass-haul, drawn on it\n"
    "  --sites S.csv     the borrow pits and waste sites of --haul-plan\n"
    "                    (default: DOCUMENT's NAME.sites.csv when there is one)\n"
    "  --help            show this text\n"
    "  --version         show the version\n";

std::optional<ToolOptions> ParseToolOptions(const std::vector<std::string>& args, std::string& error)
{
    ToolOptions o;
    auto value = [&](std::size_t& i, std::string& into) {
        if (i + 1 >= args.size()) {
            error = args[i] + " needs a value";
            return false;
        }
        into = args[++i];
        return true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") o.help = true;
        else if (a == "--version") o.version = true;
        else if (a == "--accumulated") o.accumulated = true;
        else if (a == "--all-sheets") o.allSheets = true;
        else if (a == "--sheet") {
            std::string n;
            if (!value(i, n)) return std::nullopt;
            char* end = nullptr;
            const long v = std::strtol(n.c_str(), &end, 10);
            if (n.empty() || *end != '\0' || v < 1 || v > 26) {
                error = "--sheet needs a sheet number from 1 to 26";
                return std::nullopt;
            }
            o.sheet = static_cast<int>(v);
            o.sheetGiven = true;
        } else if (a == "--output") { if (!value(i, o.output)) return std::nullopt; }
        else if (a == "--save-as") { if (!value(i, o.saveAs)) return std::nullopt; }
        else if (a == "--pdf") { if (!value(i, o.pdf)) return std::nullopt; }
        else if (a == "--print") o.print = true;
        else if (a == "--printer") { if (!value(i, o.printer)) return std::nullopt; }
        else if (a == "--stickup") { if (!value(i, o.stickup)) return std::nullopt; }
        else if (a == "--seed") { if (!value(i, o.seed)) return std::nullopt; }
        else if (a == "--ground") { if (!value(i, o.ground)) return std::nullopt; }
        else if (a == "--design") { if (!value(i, o.design)) return std::nullopt; }
        else if (a == "--export-csv") { if (!value(i, o.exportCsv)) return std::nullopt; }
        else if (a == "--report-csv") { if (!value(i, o.reportCsv)) return std::nullopt; }
        else if (a == "--metric") o.metric = true;
        else if (a == "--replace-companion") o.replaceCompanion = true;
        else if (a == "--haul-table") { if (!value(i, o.haulTable)) return std::nullopt; }
        else if (a == "--mass-haul") { if (!value(i, o.massHaul)) return std::nullopt; }
        else if (a == "--free-haul" || a == "--overhaul-price") {
            std::string n;
            if (!value(i, n)) return std::nullopt;
            const auto v = NonNegativeNumber(n);
            if (!v && o.badHaulNumber.empty()) o.badHaulNumber = a;
            if (a == "--free-haul") {
                o.freeHaul = v.value_or(0);
                o.freeHaulGiven = true;
            } else {
                o.overhaulPrice = v.value_or(0);
                o.priceGiven = true;
            }
        }
        else if (a == "--haul-plan") { if (!value(i, o.haulPlan)) return std::nullopt; }
        else if (a == "--sites") { if (!value(i, o.sites)) return std::nullopt; }
        else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option " + a;
            return std::nullopt;
        } else if (o.document.empty()) o.document = a;
        else {
            error = "only one document may be given";
            return std::nullopt;
        }
    }
    if (o.help || o.version) return o;
    if (o.document.empty()) {
        error = "no document given";
        return std::nullopt;
    }
    const bool saving = !o.saveAs.empty(), drawing = !o.stickup.empty();
    if (saving && (o.accumulated || o.allSheets || o.sheetGiven || !o.output.empty() || !o.pdf.empty() || o.print || drawing)) {
        error = "--save-as takes no other option";
        return std::nullopt;
    }
    if (o.allSheets && (o.accumulated || o.sheetGiven)) {
        error = "--all-sheets takes neither --accumulated nor --sheet";
        return std::nullopt;
    }
    if (!o.exportCsv.empty() && (saving || drawing || o.accumulated || o.allSheets || !o.output.empty() || !o.pdf.empty() || o.print)) {
        error = "--export-csv takes only --sheet";
        return std::nullopt;
    }
    const bool haul = !o.haulTable.empty() || !o.massHaul.empty();
    if (!o.reportCsv.empty() && (saving || drawing || haul || !o.exportCsv.empty() || o.accumulated || o.allSheets ||
                                 !o.output.empty() || !o.pdf.empty() || o.print)) {
        error = "--report-csv takes only --sheet";
        return std::nullopt;
    }
    if (o.ground.empty() != o.design.empty()) {
        error = "--ground and --design go together";
        return std::nullopt;
    }
    if (!o.printer.empty() && !o.print) {
        error = "--printer needs --print";
        return std::nullopt;
    }
    if (o.print && drawing) {
        error = "--stickup takes no --print";
        return std::nullopt;
    }
    if (!o.haulPlan.empty()) {
        // F and P are checked by the plan, which refuses them with its own message.
        if (!HaulOnlyOptions(o)) {
            error = "--haul-plan takes only --sites, --sheet, --free-haul, --overhaul-price, --haul-table and --mass-haul";
            return std::nullopt;
        }
        return o;
    }
    if (!o.sites.empty()) {
        error = "--sites needs --haul-plan";
        return std::nullopt;
    }
    if (!o.badHaulNumber.empty()) {
        error = o.badHaulNumber + " needs a number of at least 0";
        return std::nullopt;
    }
    if (haul && (saving || drawing || o.accumulated || o.allSheets || !o.output.empty() || !o.pdf.empty() || o.print)) {
        error = "--haul-table and --mass-haul take only --sheet, --free-haul and --overhaul-price";
        return std::nullopt;
    }
    if (!haul && (o.freeHaulGiven || o.priceGiven)) {
        error = "--free-haul and --overhaul-price need --haul-table, --mass-haul or --haul-plan";
        return std::nullopt;
    }
    if (o.priceGiven && !(o.freeHaul > 0)) {
        error = "--overhaul-price needs --free-haul";
        return std::nullopt;
    }
    if (!o.seed.empty() && !drawing) {
        error = "--seed needs --stickup";
        return std::nullopt;
    }
    return o;
}

} // namespace mardex::cli
