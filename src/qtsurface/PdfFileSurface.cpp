#include "qtsurface/PdfFileSurface.h"

#include "app/Guarded.h"
#include "formats/AtomicFile.h"
#include "qtsurface/PdfReport.h"

namespace mardex {

PdfInMemory::PdfInMemory() : buffer(&bytes), writer(&buffer) { buffer.open(QIODevice::WriteOnly); }

PdfFileSurface::PdfFileSurface(const std::string& pdfPath, int unitSystem, long long failAfterBytes)
    : QPainterSurface(writer, &writer, pdfPath), path_(pdfPath), failAfterBytes_(failAfterBytes)
{
    SetUpPdfPage(writer, unitSystem);
    FitPageWidth(ReportPageInches);
}

void PdfFileSurface::EndDoc()
{
    const bool drawn = PagesStarted() > 0;
    QPainterSurface::EndDoc();
    if (!drawn || bytes.isEmpty()) return;
    const AtomicWriteResult written =
        WriteFileAtomically(path_, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), failAfterBytes_);
    bytes.clear();
    if (!written.ok) throw RuntimeFault(written.error);
}

void PdfFileSurface::DiscardDoc()
{
    QPainterSurface::EndDoc();
    bytes.clear();
}

} // namespace mardex
