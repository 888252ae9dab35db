#include "gdalhost/BorderDrawing.h"
#include "gdalhost/DgnFile.h"
#include "gdalhost/GdalDesignHost.h"
#include "gdalhost/GdalPlugin.h"

#include "app/Session.h"
#include "app/DesignFileDialogs.h"
#include "app/GenerateStickupSheets.h"
#include "support/RecordingDesignHost.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

#include <dlfcn.h>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;

struct ReadElement {
    bool isText = false;
    std::string text;
    double x = 0, y = 0;  // text origin, or the lower-left of a shape's extent
    double maxX = 0, maxY = 0;
    int level = 0, color = 0;
};

// The design file as any reader sees it, through GDAL's own DGN reader.
std::vector<ReadElement> ReadBack(const std::string& path)
{
    GDALAllRegister();
    std::vector<ReadElement> out;
    GDALDataset* ds = static_cast<GDALDataset*>(GDALOpenEx(path.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr));
    if (!ds) {
        ADD_FAILURE() << "cannot read " << path;
        return out;
    }
    OGRLayer* layer = ds->GetLayer(0);
    for (OGRFeature* f = layer->GetNextFeature(); f; f = layer->GetNextFeature()) {
        if (const OGRGeometry* g = f->GetGeometryRef()) {
            ReadElement e;
            OGREnvelope env;
            g->getEnvelope(&env);
            e.x = env.MinX;
            e.y = env.MinY;
            e.maxX = env.MaxX;
            e.maxY = env.MaxY;
            e.isText = wkbFlatten(g->getGeometryType()) == wkbPoint && f->GetFieldIndex("Text") >= 0 &&
                       f->IsFieldSetAndNotNull(f->GetFieldIndex("Text"));
            if (e.isText) e.text = f->GetFieldAsString("Text");
            e.level = f->GetFieldAsInteger("Level");
            e.color = f->GetFieldAsInteger("ColorIndex");
            out.push_back(e);
        }
        OGRFeature::DestroyFeature(f);
    }
    GDALClose(ds);
    return out;
}

std::string ShippedBorder() { return std::string(MARDEX_BIN_DIR) + "/border2l.dgn"; }

// All sample combined reports one after another: a long report of many sections.
std::string ManySections()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(TestData("cases")))
        if (entry.path().string().size() > 8 && entry.path().string().rfind(".all.rpt") == entry.path().string().size() - 8)
            names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    std::string text;
    for (const auto& n : names) text += ReadFile(n);
    return text;
}

struct YesToAll : Prompter {
    Answer Ask(const MessageBox& box) override
    {
        return box.buttons == Buttons::YesNo ? Answer::Yes : Answer::OK;
    }
    std::string Input(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
};

class GdalStickup : public ::testing::Test {
protected:
    GdalStickup()
    {
        unsetenv("MS_RFDIR");
        s.form.Caption = "MARDEX :road.mdx";
        s.ProgramFolder = MARDEX_BIN_DIR;
        seed = dgn::GdalSeedFile();
        seedBytes = ReadFile(seed);
        std::string error;
        EXPECT_TRUE(CopySeedFile(seed, design, error)) << error;
    }

    // The run through GDAL, and the same run through the recording host: the
    // positions the layout computed.
    StickupResult Draw(const std::string& reportText)
    {
        WriteFile(report, reportText);
        recorded.folder = dir.path().string();
        YesToAll quiet;
        Session other{quiet};
        other.form.Caption = s.form.Caption;
        other.ProgramFolder = s.ProgramFolder;
        GenerateStickupSheets(other, recorded, design, report);
        GdalDesignHost host;
        return GenerateStickupSheets(s, host, design, report);
    }

    TempDir dir;
    ScriptedPrompter ask;
    Session s{ask};
    std::string seed, seedBytes;
    std::string design = dir / "1234" + "0ew.dgn";
    std::string report = dir / "road.rpt";
    RecordingDesignHost recorded;
};

TEST_F(GdalStickup, EveryTextLandsWhereTheLayoutPutIt)
{
    const auto r = Draw(ManySections());
    ASSERT_TRUE(r.completed);
    EXPECT_TRUE(r.withBorders);
    EXPECT_GE(r.sheets, 8);  // beyond a 16-bit column

    std::vector<ReadElement> texts;
    for (const auto& e : ReadBack(design))
        if (e.isText && e.color != 0) texts.push_back(e);  // the border's own texts are colour 0
    ASSERT_EQ(texts.size(), recorded.elements.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto& want = recorded.elements[i];
        EXPECT_EQ(texts[i].text, want.text) << i;
        EXPECT_NEAR(texts[i].x, want.origin.x, 0.01) << want.text;
        EXPECT_NEAR(texts[i].y, want.origin.y, 0.01) << want.text;
        EXPECT_EQ(texts[i].level, 1);
        EXPECT_EQ(texts[i].color, want.firstAttribute);
    }
    EXPECT_EQ(seedBytes, ReadFile(seed));
}

TEST_F(GdalStickup, Correction28_EverySheetHasItsBorderOnTheMasterPointWithLabelAndNumbers)
{
    const auto r = Draw(ManySections());
    ASSERT_TRUE(r.completed);
    const auto all = ReadBack(design);
    const auto border = ReadBack(ShippedBorder());
    ASSERT_FALSE(border.empty());

    for (int n = 1; n <= r.sheets; ++n) {
        const double mx = 900 + 4000.0 * n, my = 4900;
        std::vector<ReadElement> frame;
        for (const auto& e : all)
            if (e.color == 0 && e.x >= mx - 0.01 && e.maxX <= mx + 3400 + 0.01) frame.push_back(e);
        ASSERT_EQ(frame.size(), border.size()) << "sheet " << n;
        double lowX = HUGE_VAL, lowY = HUGE_VAL;
        for (const auto& e : frame) {
            lowX = std::min(lowX, e.x);
            lowY = std::min(lowY, e.y);
        }
        // The border's lower-left corner sits on the sheet's master point.
        EXPECT_NEAR(lowX, mx, 0.01) << n;
        EXPECT_NEAR(lowY, my, 0.01) << n;

        char label[32];
        std::snprintf(label, sizeof label, "STIK_SHEET_#_%02d", n);
        const auto it = std::find_if(all.begin(), all.end(), [&](const ReadElement& e) { return e.text == label; });
        ASSERT_NE(it, all.end()) << label;
        EXPECT_NEAR(it->x, mx, 0.01);
        EXPECT_NEAR(it->y, 7200, 0.01);
        EXPECT_EQ(it->color, 34);
        int numbers = 0;
        for (const auto& e : all)
            if (e.isText && e.color == 34 && std::fabs(e.x - (mx + 100 + 2889.6)) < 0.01 && std::fabs(e.y - 6957) < 0.01)
                ++numbers;
        EXPECT_EQ(numbers, 1) << "project number of sheet " << n;
    }
}

TEST_F(GdalStickup, WithoutABorderTheTablesStandAlone)
{
    s.ProgramFolder = dir.path().string();
    ask.Then(Asks("Border Reference File Not Found! Do you want to generate the sheets without borders?", Answer::Yes));
    const auto r = Draw(ReadFile(TestData("cases/worked_example.all.rpt")));
    ASSERT_TRUE(r.completed);
    for (const auto& e : ReadBack(design)) {
        EXPECT_TRUE(e.isText);
        EXPECT_NE(e.color, 34);
    }
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(GdalStickup, ReadOnlyDesignFileGivesItsMessageAndStaysAsItWas)
{
    WriteFile(report, ReadFile(TestData("cases/worked_example.all.rpt")));
    fs::permissions(design, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string before = ReadFile(design);
    ask.Then(Says("Design File is Read Only, cannot generate Stickup Sheets"));
    GdalDesignHost host;
    EXPECT_FALSE(GenerateStickupSheets(s, host, design, report).completed);
    EXPECT_EQ(ReadFile(design), before);

    fs::permissions(design, fs::perms::owner_all);
    GdalDesignHost viewer;
    viewer.forceReadOnly = true;
    ask.Then(Says("Design File is Read Only, cannot generate Stickup Sheets"));
    EXPECT_FALSE(GenerateStickupSheets(s, viewer, design, report).completed);
    EXPECT_EQ(ReadFile(design), before);
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(GdalStickup, AFileThatIsNoDesignFileEndsTheRunWithAnError)
{
    WriteFile(design, "not a design file");
    ask.expectedMessages = {"is not a design file"};
    WriteFile(report, ReadFile(TestData("cases/worked_example.all.rpt")));
    GdalDesignHost host;
    GenerateStickupSheets(s, host, design, report);
    ASSERT_EQ(ask.boxes.size(), 1u);
    EXPECT_EQ(ask.boxes[0].text.rfind("Error Generating Stickup Sheets: ", 0), 0u) << ask.boxes[0].text;
    EXPECT_NE(ask.boxes[0].text.find(design), std::string::npos);
    EXPECT_EQ(ask.boxes[0].title, "Generate Stickup Sheets");
}

// GDAL draws beside the design file: a save that fails part-way (a full
// disk) is an error and the design file stays as it was, with no copy left.
TEST_F(GdalStickup, ASaveFailingAfterNBytesIsAnErrorAndLeavesTheDesignFile)
{
    WriteFile(report, ReadFile(TestData("cases/worked_example.all.rpt")));
    const std::string before = ReadFile(design);
    ask.expectedMessages = {"Error Generating Stickup Sheets: cannot save "};
    for (const long long after : {0LL, 4096LL}) {
        ask.boxes.clear();
        GdalDesignHost host;
        host.failWritesAfterBytes = after;
        EXPECT_FALSE(GenerateStickupSheets(s, host, design, report).completed) << after;
        ASSERT_EQ(ask.boxes.size(), 1u);
        EXPECT_EQ(ask.boxes[0].text, "Error Generating Stickup Sheets: cannot save " + design + ": No space left on device");
        EXPECT_EQ(ReadFile(design), before);
        for (const auto& entry : fs::directory_iterator(dir.path()))
            EXPECT_EQ(entry.path().filename().string().find(".~mardex."), std::string::npos);
    }
}

TEST_F(GdalStickup, BorderFoundThroughTheEnvironmentsRfdir)
{
    fs::create_directories(dir / "refs");
    fs::copy_file(ShippedBorder(), dir / "refs/border2l.dgn");
    setenv("REFROOT", dir.path().c_str(), 1);
    setenv("MS_RFDIR", "/nonexistent/;$(REFROOT)/refs/", 1);
    GdalDesignHost host;
    host.Start();
    host.OpenDesignFile(design);
    EXPECT_TRUE(host.IsConfigurationVariableDefined("MS_RFDIR"));
    EXPECT_EQ(host.ExpandConfigurationVariable("MS_RFDIR"), "/nonexistent/;" + dir / "refs/");
    EXPECT_EQ(host.ActiveDesignFileFolder(), dir.path().string());
    host.Release();
    s.ProgramFolder = "/nonexistent";
    recorded.msRfDir = "/nonexistent/;" + dir / "refs/";
    EXPECT_TRUE(Draw(ReadFile(TestData("cases/worked_example.all.rpt"))).withBorders);
    unsetenv("MS_RFDIR");
    unsetenv("REFROOT");
}

TEST_F(GdalStickup, TextsAreEscapedAndCutToTheElementLimit)
{
    GdalDesignHost host;
    host.Start();
    host.OpenDesignFile(design);
    TextElement t;
    t.level = host.FindLevel("Level 1");
    t.firstAttribute = 36;
    t.height = 10;
    t.font = host.FindFont(3, "courier new");
    EXPECT_FALSE(t.font.has_value());
    const std::string awkward = "say \"12+00\" \\ done";
    t.text = awkward;
    t.origin = {1000.004, 6934.48, 0};
    host.AddElement(t);
    t.text = std::string(300, 'x');
    host.AddElement(t);
    t.text = "";
    host.AddElement(t);
    host.FinishAndSave();
    host.Release();
    const auto back = ReadBack(design);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].text, awkward);
    EXPECT_NEAR(back[0].x, 1000.004, 0.005);  // the nearest unit, not the one below
    EXPECT_NEAR(back[0].y, 6934.48, 0.005);
    EXPECT_EQ(back[1].text, std::string(255, 'x'));
    EXPECT_TRUE(back[2].isText);
    EXPECT_EQ(back[2].text, "");
}

// The window draws through the module it loads at the first drawing: the
// module's host writes the same design file as the linked one.
TEST_F(GdalStickup, TheLoadedModuleDrawsAsTheLinkedHost)
{
    void* module = dlopen((std::string(MARDEX_BIN_DIR) + "/" + GdalPluginFile).c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    using Entry = const GdalPluginFunctions* (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(module, GdalPluginEntry));
    ASSERT_NE(entry, nullptr) << dlerror();
    EXPECT_EQ(entry()->seedFile(), seed);

    const std::string linked = dir / "linked.dgn";
    std::string error;
    ASSERT_TRUE(CopySeedFile(seed, linked, error)) << error;
    GdalDesignHost linkedHost;
    std::unique_ptr<DesignHost> loadedHost(entry()->createHost());
    for (auto [host, path] : {std::pair<DesignHost*, std::string>{&linkedHost, linked}, {loadedHost.get(), design}}) {
        host->Start();
        host->OpenDesignFile(path);
        TextElement t;
        t.level = host->FindLevel("Level 1");
        t.height = 10;
        t.text = "12+00.000";
        t.origin = {1000, 2000, 0};
        host->AddElement(t);
        host->FinishAndSave();
        host->Release();
    }
    EXPECT_EQ(ReadFile(design), ReadFile(linked));
    ASSERT_EQ(ReadBack(design).size(), 1u);
    EXPECT_EQ(ReadBack(design)[0].text, "12+00.000");
}

TEST(GdalHostNames, LevelsStylesAndFonts)
{
    GdalDesignHost host;
    ASSERT_TRUE(host.FindLevel("Level 1"));
    EXPECT_EQ(host.FindLevel("Level 1")->number, 1);
    EXPECT_EQ(host.FindLevel("Level 63")->number, 63);
    EXPECT_FALSE(host.FindLevel("Level 64"));
    EXPECT_FALSE(host.FindLevel("Walls"));
    EXPECT_EQ(host.FindLineStyle("0").value_or(""), "0");
    EXPECT_FALSE(host.FindLineStyle("Dashed"));
    EXPECT_EQ(host.FindFont(3, "engineering")->name, "ENGINEERING");
}

TEST(ShippedBorder, AFrameCornerIsItsLowestPoint)
{
    const auto border = ReadBack(ShippedBorder());
    ASSERT_FALSE(border.empty());
    double lowX = HUGE_VAL, lowY = HUGE_VAL, highX = -HUGE_VAL, highY = -HUGE_VAL;
    for (const auto& e : border) {
        lowX = std::min(lowX, e.x);
        lowY = std::min(lowY, e.y);
        highX = std::max(highX, e.maxX);
        highY = std::max(highY, e.maxY);
    }
    EXPECT_NEAR(highX - lowX, dgn::BorderWidth, 0.01);
    EXPECT_NEAR(highY - lowY, dgn::BorderHeight, 0.01);
    // The corner belongs to a frame line, not to a text.
    const bool cornerIsFrame = std::any_of(border.begin(), border.end(), [&](const ReadElement& e) {
        return !e.isText && e.x == lowX && e.y == lowY;
    });
    EXPECT_TRUE(cornerIsFrame);
}

TEST(DgnUnits, SeedUnitsAndAiming)
{
    const auto u = dgn::ReadUnits(dgn::GdalSeedFile());
    ASSERT_TRUE(u.has_value());
    EXPECT_GT(u->scale, 0);
    EXPECT_FALSE(dgn::ReadUnits(MARDEX_SOURCE_DIR "/CMakeLists.txt").has_value());
    // The aimed value lies in the middle of the unit nearest the value.
    for (double v : {0.0, 1000.004, -5.3, 6934.48, 37000.0}) {
        const double aimed = dgn::AimAtUnitMiddle(v, u->scale, u->originX);
        const double units = aimed / u->scale + u->originX;
        EXPECT_NEAR(std::fabs(units - std::trunc(units)), 0.5, 1e-3) << v;
        EXPECT_NEAR(std::trunc(units), std::nearbyint(v / u->scale + u->originX), 0.5) << v;
    }
}

} // namespace
} // namespace mardex::test
