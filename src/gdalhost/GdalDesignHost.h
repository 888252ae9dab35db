#pragma once
// The design host on GDAL's OGR DGN driver: texts become text elements of the
// design file, the border's elements are merged into it at each sheet.
#include "gdalhost/DgnFile.h"
#include "render/DesignHost.h"

#include <optional>
#include <string>

class GDALDataset;
class OGRLayer;

namespace mardex {

class GdalDesignHost : public DesignHost {
public:
    GdalDesignHost() = default;
    ~GdalDesignHost() override;
    GdalDesignHost(const GdalDesignHost&) = delete;
    GdalDesignHost& operator=(const GdalDesignHost&) = delete;

    // Opens every design file read-only, as a viewer would.
    bool forceReadOnly = false;

    void Start() override;
    void OpenDesignFile(const std::string& path) override;
    bool IsActiveModelReadOnly() override;
    bool IsConfigurationVariableDefined(const std::string& name) override;
    std::string ExpandConfigurationVariable(const std::string& name) override;
    std::string ActiveDesignFileFolder() override;
    DesignPoint CurrentPoint() override;
    double CurrentRotation() override;
    std::optional<DesignLevel> FindLevel(const std::string& name) override;
    std::optional<DesignLevel> ActiveLevel() override;
    std::optional<std::string> FindLineStyle(const std::string& name) override;
    std::optional<std::string> ActiveLineStyle() override;
    std::optional<DesignFont> FindFont(int type, const std::string& name) override;
    void AttachReference(const ReferenceAttachment& attachment) override;
    void AddElement(const TextElement& element) override;
    void FinishAndSave() override;
    void Release() override;

private:
    OGRLayer& Layer();

    GDALDataset* ds_ = nullptr;
    std::string path_;
    bool readOnly_ = false;
    dgn::Units units_;
};

} // namespace mardex
