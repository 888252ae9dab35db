#pragma once
// Report pages into a PDF file that is replaced only when the document is
// complete: the pages are drawn into memory and written through the atomic
// writer when the document ends, so a failed or interrupted print leaves the
// old PDF as it was.
#include "qtsurface/QPainterSurface.h"

#include <QBuffer>
#include <QByteArray>
#include <QPdfWriter>

#include <string>

namespace mardex {

// The pages in memory; a base so that it exists before the surface on it.
struct PdfInMemory {
    PdfInMemory();
    QByteArray bytes;
    QBuffer buffer;
    QPdfWriter writer;
};

class PdfFileSurface : private PdfInMemory, public QPainterSurface {
public:
    // failAfterBytes: see WriteFileAtomically (tests inject write errors).
    explicit PdfFileSurface(const std::string& pdfPath, long long failAfterBytes = -1);

    // Ends the document and writes the file when pages were drawn; a write
    // failure is thrown.
    void EndDoc() override;
    // Ends the document without writing anything.
    void DiscardDoc() override;

    QPdfWriter& Writer() { return writer; }

private:
    std::string path_;
    long long failAfterBytes_;
};

} // namespace mardex
