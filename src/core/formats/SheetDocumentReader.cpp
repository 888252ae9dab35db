#include "formats/SheetDocumentReader.h"

#include "formats/InputFile.h"

#include "formats/DocumentParser.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace mardex {

namespace {

// A document read on its own builds on nothing: no existing sheets, no
// questions (they belong to Import), messages collected.
class StandaloneHost : public ParserHost {
public:
    explicit StandaloneHost(std::vector<std::string>& messages) : messages_(messages) {}
    const Sheet& Existing(int) const override { return empty_; }
    std::string OtherTabName(std::string name) override { return name; }
    void Message(const std::string& text) override { messages_.push_back(text); }

private:
    std::vector<std::string>& messages_;
    Sheet empty_;
};

} // namespace

std::string ReadFirstLine(std::istream& in)
{
    std::string line;
    std::streambuf* buf = in.rdbuf();
    for (int n = 0; n < 4096; ++n) {
        const auto ch = buf->sbumpc();
        if (ch == std::char_traits<char>::eof() || ch == '\r' || ch == '\n') break;
        line.push_back(static_cast<char>(ch));
    }
    return line;
}

DocumentLayout LayoutOfFirstLine(const std::string& line)
{
    if (line.empty()) return DocumentLayout::NotADocument;
    if (line.front() == '[') {
        const auto close = line.find(']');
        const std::string text = close == std::string::npos ? std::string() : line.substr(1, close - 1);
        if (text == "VERSION 2002") return DocumentLayout::Current;
        if (text == "VERSION 97.1") return DocumentLayout::Legacy;
        return DocumentLayout::NotADocument;
    }
    return line.rfind("00000", 0) == 0 ? DocumentLayout::Current : DocumentLayout::NotADocument;
}

DocumentReadResult ReadSheetDocument(std::istream& in, const std::string& name)
{
    DocumentReadResult result;
    const auto start = in.tellg();
    const DocumentLayout layout = LayoutOfFirstLine(ReadFirstLine(in));
    if (layout == DocumentLayout::NotADocument) {
        result.error = name + ": " + NotCompatibleMessage;
        result.compatible = false;
        return result;
    }
    // The parser reads the first line again.
    in.clear();
    in.seekg(start);
    try {
        StandaloneHost host(result.messages);
        ParserStart begin;
        begin.legacyLayout = layout == DocumentLayout::Legacy;
        DocumentParser parser(host, begin, ParseMode::Open, name);
        FeedDocument(parser, in, name);
        Document doc;
        doc.descriptionFields = parser.Descriptions();
        doc.units = parser.Units();
        doc.legacyLayout = begin.legacyLayout;
        doc.sheets.resize(static_cast<std::size_t>(parser.SheetCount()));
        for (std::size_t i = 0; i < doc.sheets.size(); ++i)
            if (auto& sheet = parser.Sheets()[i]) doc.sheets[i] = std::move(*sheet);
        result.lineCounter = parser.LineCounter();
        result.document = std::move(doc);
    } catch (const std::exception& e) {
        result.error = e.what();
    }
    return result;
}

DocumentReadResult ReadSheetDocument(const std::string& path)
{
    if (std::string problem = InputFileProblem(path, MaxDocumentBytes); !problem.empty()) {
        DocumentReadResult result;
        result.error = problem + " ";
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        DocumentReadResult result;
        result.error = "cannot open " + path + ": " + std::strerror(errno);
        return result;
    }
    return ReadSheetDocument(in, path);
}

} // namespace mardex
