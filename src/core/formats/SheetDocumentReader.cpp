#include "formats/SheetDocumentReader.h"

#include "formats/InputFile.h"

#include "formats/DocumentParser.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace mardex {

namespace {

// A document read on its own builds on nothing: no existing sheets, no
// questions (they belong to Import), messages collected; read sheet by
// sheet, it hands each complete sheet on with what the document has said.
class StandaloneHost : public ParserHost {
public:
    StandaloneHost(std::vector<std::string>& messages, const CompleteSheet* complete)
        : messages_(messages), complete_(complete)
    {
    }
    void Attach(const DocumentParser& parser) { parser_ = &parser; }
    const Sheet& Existing(int) const override { return empty_; }
    std::string OtherTabName(std::string name) override { return name; }
    void Message(const std::string& text) override { messages_.push_back(text); }
    void SheetComplete(int index, Sheet& sheet) override
    {
        if (complete_) (*complete_)(index, sheet, SaidSoFar(*parser_));
    }

    static Document SaidSoFar(const DocumentParser& parser)
    {
        Document doc;
        doc.descriptionFields = parser.Descriptions();
        doc.units = parser.Units();
        doc.legacyLayout = parser.LegacyLayout();
        return doc;
    }

private:
    std::vector<std::string>& messages_;
    const CompleteSheet* complete_;
    const DocumentParser* parser_ = nullptr;
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

namespace {

DocumentReadResult Read(std::istream& in, const std::string& name, const CompleteSheet* complete)
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
        StandaloneHost host(result.messages, complete);
        ParserStart begin;
        begin.legacyLayout = layout == DocumentLayout::Legacy;
        begin.sheetBySheet = complete != nullptr;
        DocumentParser parser(host, begin, ParseMode::Open, name);
        host.Attach(parser);
        FeedDocument(parser, in, name);
        Document doc = StandaloneHost::SaidSoFar(parser);
        if (!complete) {
            doc.sheets.resize(static_cast<std::size_t>(parser.SheetCount()));
            for (std::size_t i = 0; i < doc.sheets.size(); ++i)
                if (auto& sheet = parser.Sheets()[i]) doc.sheets[i] = std::move(*sheet);
        }
        result.lineCounter = parser.LineCounter();
        result.document = std::move(doc);
    } catch (const std::exception& e) {
        result.error = e.what();
    }
    return result;
}

DocumentReadResult ReadFile(const std::string& path, const CompleteSheet* complete)
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
    return Read(in, path, complete);
}

} // namespace

DocumentReadResult ReadSheetDocument(std::istream& in, const std::string& name) { return Read(in, name, nullptr); }

DocumentReadResult ReadSheetDocument(const std::string& path) { return ReadFile(path, nullptr); }

DocumentReadResult ReadSheetDocument(std::istream& in, const std::string& name, const CompleteSheet& complete)
{
    return Read(in, name, &complete);
}

DocumentReadResult ReadSheetDocument(const std::string& path, const CompleteSheet& complete)
{
    return ReadFile(path, &complete);
}

} // namespace mardex
