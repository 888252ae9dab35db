#include "StickupLauncher.h"

#include "QtText.h"
#include "DesignFileDialog.h"
#include "app/Session.h"
#include "gdalhost/GdalPluginLoader.h"
#include "app/StickupSheetsCommand.h"

#include <QCoreApplication>
#include <QDir>

#include <memory>
#include <stdexcept>

namespace {

using namespace mardex;

// Stands in for the GDAL host when its module cannot be loaded: the drawing
// stops at Start with the reason.
class MissingDesignHost : public DesignHost {
public:
    explicit MissingDesignHost(std::string why) : why_(std::move(why)) {}
    void Start() override { throw std::runtime_error(why_); }
    void OpenDesignFile(const std::string&) override {}
    bool IsActiveModelReadOnly() override { return true; }
    bool IsConfigurationVariableDefined(const std::string&) override { return false; }
    std::string ExpandConfigurationVariable(const std::string&) override { return {}; }
    std::string ActiveDesignFileFolder() override { return {}; }
    DesignPoint CurrentPoint() override { return {}; }
    double CurrentRotation() override { return 0; }
    std::optional<DesignLevel> FindLevel(const std::string&) override { return std::nullopt; }
    std::optional<DesignLevel> ActiveLevel() override { return std::nullopt; }
    std::optional<std::string> FindLineStyle(const std::string&) override { return std::nullopt; }
    std::optional<std::string> ActiveLineStyle() override { return std::nullopt; }
    std::optional<DesignFont> FindFont(int, const std::string&) override { return std::nullopt; }
    void AttachReference(const ReferenceAttachment&) override {}
    void AddElement(const TextElement&) override {}
    void FinishAndSave() override {}
    void Release() override {}

private:
    std::string why_;
};

} // namespace

void RunStickupSheets(QWidget* parent, mardex::Session& s)
{
    std::string error;
    const GdalPluginFunctions* gdal = LoadGdalPlugin(ToPath(QCoreApplication::applicationDirPath()), error);
    std::unique_ptr<DesignHost> host(gdal ? gdal->createHost() : new MissingDesignHost(error));
    const std::string gdalSeed = gdal ? gdal->seedFile() : "/usr/share/gdal/seed_2d.dgn";
    Command2_Click(s, *host, [&](const std::string& proposedName) {
        PrepareDesignFileDialog(s, DefaultSeedFile(s.SettingsFileFolder(), gdalSeed), ToPath(QDir::currentPath()), proposedName);
        DesignFileDialog dialog(s, parent);
        dialog.exec();
    });
}
