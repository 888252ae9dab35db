#include "gdalhost/GdalDesignHost.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cmath>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace mardex {

namespace {

// The fonts a DGN (v7) file knows by name, by font number; "courier new" is
// none of them.
const char* const FontNames[] = {"STANDARD", "WORKING",  "FANCY",    "ENGINEERING", "NEWZERO",  "STENCEL",
                                 "USTN_FANCY", "COMPRESSED", "STENCEQ", nullptr,    "hand",     "ARCH",
                                 "ARCHB",    nullptr,    nullptr,    "IGES1001",    "IGES1002", "IGES1003",
                                 "CENTB",    "MICROS",   nullptr,    nullptr,       "ISOFRACTIONS", "ITALICS",
                                 "ISO30",    nullptr,    "GREEK",    "ISORECT",     "ISOITEQ",  nullptr,
                                 "ISO",      "ISOITEQ"};

bool SameText(const std::string& a, const char* b)
{
    const std::string bs(b);
    return a.size() == bs.size() &&
           std::equal(a.begin(), a.end(), bs.begin(), [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}

struct FeatureDeleter {
    void operator()(OGRFeature* f) const { OGRFeature::DestroyFeature(f); }
};
using FeaturePtr = std::unique_ptr<OGRFeature, FeatureDeleter>;

// A file without any write permission is read-only even for the superuser.
bool MarkedReadOnly(const std::string& path)
{
    struct stat st{};
    if (stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(path.c_str(), W_OK) != 0;
}

// $(NAME) and ${NAME} take the environment's value.
std::string ExpandReferences(const std::string& value, int depth = 0)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '$' && i + 1 < value.size() && (value[i + 1] == '(' || value[i + 1] == '{')) {
            const char close = value[i + 1] == '(' ? ')' : '}';
            const auto end = value.find(close, i + 2);
            if (end != std::string::npos) {
                const char* v = std::getenv(value.substr(i + 2, end - i - 2).c_str());
                if (v) out += depth < 8 ? ExpandReferences(v, depth + 1) : std::string(v);
                i = end;
                continue;
            }
        }
        out += value[i];
    }
    return out;
}

int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(hi, v)); }

// GDAL's failures come back as the run's own error text, not on stderr.
struct QuietGdal {
    QuietGdal() { CPLPushErrorHandler(CPLQuietErrorHandler); }
    ~QuietGdal() { CPLPopErrorHandler(); }
    QuietGdal(const QuietGdal&) = delete;
    QuietGdal& operator=(const QuietGdal&) = delete;
};

} // namespace

GdalDesignHost::~GdalDesignHost() { Release(); }

void GdalDesignHost::Start()
{
    GDALAllRegister();
    if (!GetGDALDriverManager()->GetDriverByName("DGN")) throw std::runtime_error("GDAL has no DGN driver");
}

void GdalDesignHost::OpenDesignFile(const std::string& path)
{
    QuietGdal quiet;
    Release();
    path_ = path;
    const char* const drivers[] = {"DGN", nullptr};
    readOnly_ = forceReadOnly || MarkedReadOnly(path);
    CPLErrorReset();
    if (!readOnly_) {
        work_ = std::make_unique<TemporaryBeside>(path);
        std::error_code ec;
        if (!work_->ok()) throw std::runtime_error(work_->error());
        if (!fs::copy_file(path, work_->path(), fs::copy_options::overwrite_existing, ec))
            throw std::runtime_error("cannot copy " + path + ": " + ec.message());
        ds_ = static_cast<GDALDataset*>(
            GDALOpenEx(work_->path().c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE, drivers, nullptr, nullptr));
        if (ds_ && ds_->GetLayerCount() > 0) elements_ = ds_->GetLayer(0)->GetFeatureCount();
        if (!ds_) work_.reset();
    }
    if (!ds_) {
        ds_ = static_cast<GDALDataset*>(GDALOpenEx(path.c_str(), GDAL_OF_VECTOR, drivers, nullptr, nullptr));
        if (!ds_) {
            const std::string why = CPLGetLastErrorType() >= CE_Failure ? ": " + dgn::LastGdalError() : std::string();
            throw std::runtime_error(path + " is not a design file" + why);
        }
        readOnly_ = true;
    }
    units_ = dgn::ReadUnits(path).value_or(dgn::Units{0, 0, 0, 0, false});
}

bool GdalDesignHost::IsActiveModelReadOnly() { return readOnly_; }

bool GdalDesignHost::IsConfigurationVariableDefined(const std::string& name) { return std::getenv(name.c_str()) != nullptr; }

std::string GdalDesignHost::ExpandConfigurationVariable(const std::string& name)
{
    const char* v = std::getenv(name.c_str());
    return v ? ExpandReferences(v) : std::string();
}

std::string GdalDesignHost::ActiveDesignFileFolder()
{
    std::error_code ec;
    fs::path p = fs::absolute(path_, ec).parent_path();
    std::string folder = p.string();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

DesignPoint GdalDesignHost::CurrentPoint() { return {}; }
double GdalDesignHost::CurrentRotation() { return 0; }

std::optional<DesignLevel> GdalDesignHost::FindLevel(const std::string& name)
{
    // Levels are numbered 0..63 and named "Level N".
    if (name.rfind("Level ", 0) != 0) return std::nullopt;
    const std::string digits = name.substr(6);
    if (digits.empty() || digits.size() > 2 || !std::all_of(digits.begin(), digits.end(), ::isdigit)) return std::nullopt;
    const int n = std::stoi(digits);
    if (n > 63) return std::nullopt;
    return DesignLevel{n, name};
}

std::optional<DesignLevel> GdalDesignHost::ActiveLevel() { return DesignLevel{1, "Level 1"}; }

std::optional<std::string> GdalDesignHost::FindLineStyle(const std::string& name)
{
    // The eight line codes 0..7.
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '7') return name;
    return std::nullopt;
}

std::optional<std::string> GdalDesignHost::ActiveLineStyle() { return std::string("0"); }

std::optional<DesignFont> GdalDesignHost::FindFont(int type, const std::string& name)
{
    for (const char* font : FontNames)
        if (font && SameText(name, font)) return DesignFont{type, font};
    return std::nullopt;
}

OGRLayer& GdalDesignHost::Layer()
{
    if (!ds_ || ds_->GetLayerCount() < 1) throw std::runtime_error("no design file is open");
    return *ds_->GetLayer(0);
}

void GdalDesignHost::AttachReference(const ReferenceAttachment& a)
{
    QuietGdal quiet;
    OGRLayer& target = Layer();
    const char* const drivers[] = {"DGN", nullptr};
    GDALDataset* border =
        static_cast<GDALDataset*>(GDALOpenEx(a.file.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, nullptr, nullptr));
    if (!border) throw std::runtime_error("cannot read border file " + a.file + ": " + dgn::LastGdalError());
    std::unique_ptr<GDALDataset, void (*)(GDALDataset*)> closer(border, [](GDALDataset* d) { GDALClose(d); });
    OGRLayer* source = border->GetLayer(0);
    if (!source) return;

    // The border's own reference point: the lowest x and y of all its elements.
    double minX = HUGE_VAL, minY = HUGE_VAL;
    source->ResetReading();
    for (FeaturePtr f(source->GetNextFeature()); f; f.reset(source->GetNextFeature())) {
        if (const OGRGeometry* g = f->GetGeometryRef()) {
            OGREnvelope e;
            g->getEnvelope(&e);
            minX = std::min(minX, e.MinX);
            minY = std::min(minY, e.MinY);
        }
    }
    if (minX == HUGE_VAL) return;  // a border without elements
    const double dx = a.masterPoint.x - minX, dy = a.masterPoint.y - minY;

    source->ResetReading();
    for (FeaturePtr f(source->GetNextFeature()); f; f.reset(source->GetNextFeature())) {
        OGRGeometry* g = f->GetGeometryRef();
        if (!g) continue;
        FeaturePtr copy(OGRFeature::CreateFeature(target.GetLayerDefn()));
        std::unique_ptr<OGRGeometry> moved(g->clone());
        dgn::ShiftGeometry(*moved, dx, dy, units_);
        copy->SetGeometryDirectly(moved.release());
        for (const char* field : {"Level", "ColorIndex", "Weight", "Style", "GraphicGroup"})
            if (f->GetFieldIndex(field) >= 0) copy->SetField(field, f->GetFieldAsInteger(field));
        const char* text = f->GetFieldIndex("Text") >= 0 && f->IsFieldSetAndNotNull(f->GetFieldIndex("Text"))
                               ? f->GetFieldAsString("Text")
                               : nullptr;
        const char* style = f->GetStyleString();
        if (text && wkbFlatten(g->getGeometryType()) == wkbPoint) {
            // The style as read holds the text unescaped: write it again escaped,
            // keeping its size, font and angle.
            std::string rest;
            const std::string head = std::string("LABEL(t:\"") + text + "\"";
            if (style && std::string(style).rfind(head, 0) == 0) rest = std::string(style).substr(head.size());
            std::string label = dgn::LabelStyle(text, 10);
            label = label.substr(0, label.find("\",s:") + 1) + (rest.empty() ? ",s:10g)" : rest);
            copy->SetStyleString(label.c_str());
        } else if (style) {
            copy->SetStyleString(style);
        }
        if (target.CreateFeature(copy.get()) != OGRERR_NONE)
            throw std::runtime_error("cannot add the border to " + path_ + ": " + dgn::LastGdalError());
        ++elements_;
    }
}

void GdalDesignHost::AddElement(const TextElement& e)
{
    QuietGdal quiet;
    OGRLayer& layer = Layer();
    FeaturePtr f(OGRFeature::CreateFeature(layer.GetLayerDefn()));
    OGRPoint point(dgn::AimAtUnitMiddle(e.origin.x, units_.scale, units_.originX),
                   dgn::AimAtUnitMiddle(e.origin.y, units_.scale, units_.originY));
    f->SetGeometry(&point);
    f->SetField("Level", Clamp(e.level ? e.level->number : 1, 0, 63));
    f->SetField("ColorIndex", Clamp(e.firstAttribute, 0, 255));
    f->SetField("Weight", Clamp(e.secondAttribute, 0, 31));
    const int style = e.lineStyle.size() == 1 && e.lineStyle[0] >= '0' && e.lineStyle[0] <= '7' ? e.lineStyle[0] - '0' : 0;
    f->SetField("Style", style);
    const double degrees = e.rotation * 180.0 / M_PI;
    const std::string label = dgn::LabelStyle(e.text, e.height > 0 ? e.height : 10, e.font ? e.font->name : "", degrees);
    f->SetStyleString(label.c_str());
    CPLErrorReset();
    if (layer.CreateFeature(f.get()) != OGRERR_NONE)
        throw std::runtime_error("cannot add a text to " + path_ + ": " + dgn::LastGdalError());
    ++elements_;
}

void GdalDesignHost::FinishAndSave()
{
    QuietGdal quiet;
    OGRLayer& layer = Layer();
    CPLErrorReset();
    if (layer.SyncToDisk() != OGRERR_NONE) throw std::runtime_error("cannot save " + path_ + ": " + dgn::LastGdalError());
    ds_->FlushCache();
    if (CPLGetLastErrorType() >= CE_Failure) throw std::runtime_error("cannot save " + path_ + ": " + dgn::LastGdalError());
    if (!work_) return;
    CloseDataset();
    if (CPLGetLastErrorType() >= CE_Failure) throw std::runtime_error("cannot save " + path_ + ": " + dgn::LastGdalError());
    CheckSaved(work_->path());
    if (!work_->Commit()) throw std::runtime_error(work_->error());
    work_.reset();
}

// The driver does not report every failed write: the copy must hold every
// element drawn before it may replace the design file.
void GdalDesignHost::CheckSaved(const std::string& written)
{
    std::error_code ec;
    const auto size = fs::file_size(written, ec);
    if (ec) throw std::runtime_error("cannot save " + path_ + ": " + ec.message());
    if (failWritesAfterBytes >= 0 && size > static_cast<std::uintmax_t>(failWritesAfterBytes))
        throw std::runtime_error("cannot save " + path_ + ": " + std::strerror(ENOSPC));
    const char* const drivers[] = {"DGN", nullptr};
    GDALDataset* check =
        static_cast<GDALDataset*>(GDALOpenEx(written.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, nullptr, nullptr));
    const long long held = check && check->GetLayerCount() > 0 ? check->GetLayer(0)->GetFeatureCount() : -1;
    if (check) GDALClose(check);
    if (held != elements_)
        throw std::runtime_error("cannot save " + path_ + ": the file written holds " + std::to_string(std::max(held, 0LL)) +
                                 " of its " + std::to_string(elements_) + " elements");
}

void GdalDesignHost::CloseDataset()
{
    if (ds_) {
        GDALClose(ds_);
        ds_ = nullptr;
    }
}

void GdalDesignHost::Release()
{
    CloseDataset();
    work_.reset();  // an unsaved copy goes
}

} // namespace mardex
