#pragma once
// The design host on GDAL's OGR DGN driver: texts become text elements of the
// design file, the border's elements are merged into it at each sheet.
#include "gdalhost/DgnFile.h"
#include "render/DesignHost.h"
#include "formats/AtomicFile.h"

#include <memory>

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
    // Tests only: the save fails as on a full disk once the design file
    // would hold more than this many bytes (-1: never).
    long long failWritesAfterBytes = -1;

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
    void CloseDataset();
    void CheckSaved(const std::string& written);

    GDALDataset* ds_ = nullptr;
    std::string path_;
    // GDAL draws into a copy beside the design file, renamed over it by the
    // save: a failed or interrupted drawing leaves the file as it was.
    std::unique_ptr<TemporaryBeside> work_;
    long long elements_ = 0;  // what the copy must hold when saved
    bool readOnly_ = false;
    dgn::Units units_;
};

} // namespace mardex
