#include "qtsurface/MassHaulExport.h"

#include "app/Guarded.h"
#include "compute/HaulAnalysis.h"
#include "render/MassHaulDiagram.h"
#include "formats/AtomicFile.h"
#include "qtsurface/QPainterSurface.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>

namespace mardex {

namespace {

// The document's paper, as for its reports: Letter for an English document,
// A4 for a metric one, on its side.
QPageSize DiagramPage(const MassSheet& sheet) { return QPageSize(sheet.metric ? QPageSize::A4 : QPageSize::Letter); }

QSizeF LandscapeInches(const MassSheet& sheet)
{
    const QSizeF portrait = DiagramPage(sheet).size(QPageSize::Inch);
    return {portrait.height(), portrait.width()};
}

bool Draw(QPaintDevice& device, QPagedPaintDevice* paged, const std::string& path, const MassSheet& sheet,
          const HaulAnalysis& haul, std::string& error)
{
    try {
        QPainterSurface surface(device, paged, path);
        surface.BeginDoc();
        DrawMassHaulDiagram(surface, sheet, haul);
        surface.EndDoc();
        return true;
    } catch (const std::exception& e) {
        error = path + ": " + e.what();
        return false;
    }
}

} // namespace

// The diagram is drawn into memory and the file replaced through the atomic
// writer: a failed or interrupted export leaves the old file as it was.
bool WriteMassHaulFileAs(const MassSheet& sheet, const HaulAnalysis& haul, const std::string& path,
                         const std::string& extension, std::string& error, long long failAfterBytes)
{
    const QSizeF inches = LandscapeInches(sheet);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (extension == "pdf") {
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(DiagramPage(sheet), QPageLayout::Landscape, QMarginsF(0.4, 0.4, 0.4, 0.4), QPageLayout::Inch));
        writer.setCreator("Mardex");
        writer.setTitle("Mass haul diagram");
        if (!Draw(writer, &writer, path, sheet, haul, error)) return false;
    } else if (extension == "svg") {
        const int dpi = 96;
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setResolution(dpi);
        svg.setSize(QSize(qRound(inches.width() * dpi), qRound(inches.height() * dpi)));
        svg.setViewBox(QRect(0, 0, qRound(inches.width() * dpi), qRound(inches.height() * dpi)));
        svg.setTitle("Mass haul diagram");
        if (!Draw(svg, nullptr, path, sheet, haul, error)) return false;
    } else if (extension == "png") {
        const int dpi = 150;
        QImage image(qRound(inches.width() * dpi), qRound(inches.height() * dpi), QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        image.fill(Qt::white);
        if (!Draw(image, nullptr, path, sheet, haul, error)) return false;
        if (!image.save(&buffer, "PNG")) {
            error = path + ": the picture could not be encoded";
            return false;
        }
    } else {
        error = path + ": the diagram is written as .pdf, .svg or .png";
        return false;
    }
    buffer.close();
    if (bytes.isEmpty()) {
        error = path + ": nothing was drawn";
        return false;
    }
    const AtomicWriteResult written = WriteFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), failAfterBytes);
    if (!written.ok) error = written.error;
    return written.ok;
}

bool WriteMassHaulFile(const MassSheet& sheet, const HaulAnalysis& haul, const std::string& path, std::string& error,
                       long long failAfterBytes)
{
    std::string extension = path.substr(std::min(path.size(), path.rfind('.') + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return WriteMassHaulFileAs(sheet, haul, path, extension, error, failAfterBytes);
}

} // namespace mardex
