#include "StickupLauncher.h"

#include "QtText.h"
#include "DesignFileDialog.h"
#include "app/Session.h"
#include "gdalhost/DgnFile.h"
#include "gdalhost/GdalDesignHost.h"
#include "app/StickupSheetsCommand.h"

#include <QDir>

void RunStickupSheets(QWidget* parent, mardex::Session& s)
{
    using namespace mardex;
    GdalDesignHost host;
    Command2_Click(s, host, [&](const std::string& proposedName) {
        auto& model = s.stickup.designFileDialog;
        if (!model.loaded) model.Form_Load(DefaultSeedFile(s.ProgramFolder, dgn::GdalSeedFile()), ToPath(QDir::currentPath()));
        model.chooser.fileName = proposedName;
        DesignFileDialog dialog(s, parent);
        dialog.exec();
    });
}
