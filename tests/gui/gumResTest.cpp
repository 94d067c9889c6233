#include "app/gumApp.h"
#include "app/gumRes.h"
#include "hardware/xhwBoxTypes.h"
#include "protocol/xutBoxInfo.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"
#include "support/testEnvironment.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <wx/image.h>

namespace fs = std::filesystem;

namespace {

// The pictures need the toolkit, not the running program.
class Pictures : public testing::Test
{
protected:
    void SetUp() override
    {
        qvtest::CreateApp();
        wxInitAllImageHandlers();
    }

    void TearDown() override { ::setenv("QUORVANTI_RESOURCES_DIR", QV_TEST_RESOURCES_DIR, 1); }

    // A copy of the built resources that a test may change.
    std::string CopyResources(const std::string& name)
    {
        const std::string root = qvtest::MakeTempDir(name);
        fs::copy(QV_TEST_RESOURCES_DIR, root, fs::copy_options::recursive);
        ::setenv("QUORVANTI_RESOURCES_DIR", root.c_str(), 1);
        return root;
    }
};

wxSize SizeOf(const wxBitmap& bitmap)
{
    return bitmap.IsOk() ? bitmap.GetSize() : wxSize(0, 0);
}

} // namespace

TEST_F(Pictures, EveryPictureAtItsSize)
{
    CgumRes res;
    ASSERT_TRUE(res.Load());

    // Main tool bar: 16 and 32 pixels, for what a bar shows and the size pair.
    for (int index : {BMP_NEW, BMP_TABLE, BMP_DIGITS, BMP_INFORMATION, BMP_DELETE_LAST, BMP_COPY_GRAPH,
                      BMP_COPY_TABLE, BMP_AUTO_ZOOM, BMP_DEFAULT_ZOOM, BMP_ANNOTATE, BMP_GAUGE, BMP_NOTES}) {
        EXPECT_EQ(SizeOf(res.m_toolBitmaps[index].m_small), wxSize(16, 16)) << index;
        EXPECT_EQ(SizeOf(res.m_toolBitmaps[index].m_large), wxSize(32, 32)) << index;
    }
    // Side, activity and help bars and the levels: 32 and 48 pixels.
    for (int index : {BMP_OPEN, BMP_SAVE, BMP_PRINT, BMP_START, BMP_STOP, BMP_HELP, BMP_LEVEL1, BMP_LEVEL2,
                      BMP_LEVEL3, BMP_LEVEL4, BMP_SNAPSHOT, BMP_AUTOLOG, BMP_SCOPE, BMP_SETUP, BMP_FETCH}) {
        EXPECT_EQ(SizeOf(res.m_sideBitmaps[index].m_small), wxSize(32, 32)) << index;
        EXPECT_EQ(SizeOf(res.m_sideBitmaps[index].m_large), wxSize(48, 48)) << index;
    }
    // The indices that no part shows stay empty in the side set.
    EXPECT_FALSE(res.m_sideBitmaps[BMP_TABLE].m_small.IsOk());
    EXPECT_FALSE(res.m_sideBitmaps[BMP_CANCEL].m_large.IsOk());

    for (size_t slot = 0; slot < res.m_icons.size(); ++slot) {
        ASSERT_TRUE(res.m_icons[slot].IsOk()) << slot;
        EXPECT_EQ(res.m_icons[slot].GetWidth(), 32) << slot;
        EXPECT_EQ(res.m_icons[slot].GetHeight(), 32) << slot;
    }
    const wxSize singles[] = {{36, 20}, {36, 20}, {36, 20}, {7, 7}, {11, 11}};
    for (size_t i = 0; i < res.m_pictures.size(); ++i)
        EXPECT_EQ(SizeOf(res.m_pictures[i]), singles[i]) << i;
    EXPECT_EQ(res.m_dropDownIcon.GetWidth(), 32);
    ASSERT_TRUE(res.m_scopeImage.IsOk());
    // The screen sits where the view puts its grid: 15 % to 85 % of each side.
    const wxImage& scope = res.m_scopeImage;
    auto dark = [&](double fx, double fy) {
        const int x = int(fx * scope.GetWidth());
        const int y = int(fy * scope.GetHeight());
        return scope.GetRed(x, y) + scope.GetGreen(x, y) + scope.GetBlue(x, y) < 150;
    };
    EXPECT_TRUE(dark(0.16, 0.16));
    EXPECT_TRUE(dark(0.84, 0.84));
    EXPECT_FALSE(dark(0.0, 0.0));
}

TEST_F(Pictures, SensorIconsByNameWithoutRegardToCase)
{
    CgumRes res;
    ASSERT_TRUE(res.Load());
    const struct
    {
        const char* name;
        int slot;
    } cases[] = {
        {"Temp", 29},    {"temp", 29}, {"TEMP", 29},      {"TempK", 30}, {"Stop", 40}, {"SineWave", 73},
        {"Rain", 64},    {"pH", 27},   {"AIRPRES", 22},   {"", 21},      {"Default", 21},
        {"Tempe", 21},   {"Bell", 72}, {"ultrasnd", 31},
    };
    for (const auto& c : cases)
        EXPECT_EQ(&res.GetSensorIcon(c.name), &res.m_icons[size_t(c.slot)]) << c.name;
}

TEST_F(Pictures, StateAndLoggerIcons)
{
    CgumRes res;
    ASSERT_TRUE(res.Load());
    for (int n = 0; n <= 8; ++n)
        EXPECT_EQ(res.GetStateIcon(n), &res.m_icons[size_t(1 + n)]) << n;
    EXPECT_EQ(res.GetStateIcon(-1), nullptr);
    EXPECT_EQ(res.GetStateIcon(9), nullptr);

    const struct
    {
        int type;
        bool variant;
        int slot;
    } cases[] = {
        {BOX_TYPE_NONE, false, 10},      {BOX_TYPE_UNKNOWN, false, 10},   {BOX_TYPE_2, false, 17},
        {BOX_TYPE_3, false, 16},         {BOX_TYPE_PARDOVINE, false, 12}, {BOX_TYPE_TUNDRANE, false, 14},
        {BOX_TYPE_LUMIVASTA, false, 13}, {BOX_TYPE_MIVA, false, 15},      {BOX_TYPE_MIVA, true, 63},
        {BOX_TYPE_ZEMBROW, false, 18},   {BOX_TYPE_CINDRALLY, false, 11}, {BOX_TYPE_KESTILON, false, 19},
        {BOX_TYPE_KESTILON_BOOT, false, 19}, {BOX_TYPE_SIMULATED, false, 19}, {BOX_TYPE_TUNDRANE2, false, 20},
        {BOX_TYPE_TUNDRANE2_BOOT, false, 20}, {15, false, 10},
    };
    for (const auto& c : cases) {
        CxutBoxInfo info;
        info.m_hardware = c.type;
        info.m_mivaNewShort = c.variant;
        EXPECT_EQ(&res.GetLoggerIcon(info), &res.m_icons[size_t(c.slot)]) << c.type;
    }
    CxutBoxInfo old;
    old.m_hardware = BOX_TYPE_MIVA;
    old.m_mivaOldShort = true;
    EXPECT_EQ(&res.GetLoggerIcon(old), &res.m_icons[63]);
}

TEST_F(Pictures, MissingFileLeavesItsPictureEmptyAndTheStartGoesOn)
{
    const std::string root = CopyResources("nostart");
    fs::remove(root + "/QuorvantiRes/bitmaps/sb32start.png");
    fs::remove(root + "/QuorvantiRes/bitmaps/scope.png");
    CgumRes res;
    EXPECT_TRUE(res.Load());
    EXPECT_FALSE(res.m_sideBitmaps[BMP_START].m_small.IsOk());
    EXPECT_TRUE(res.m_sideBitmaps[BMP_START].m_large.IsOk());
    EXPECT_TRUE(res.m_sideBitmaps[BMP_STOP].m_small.IsOk());
    EXPECT_FALSE(res.m_scopeImage.IsOk());

    // Only the string table decides the result; the pictures are loaded all the same.
    fs::remove(root + "/QuorvantiRes/Strings.txt");
    qvtest::CtestBoxes boxes;
    CgumRes withoutStrings;
    EXPECT_FALSE(withoutStrings.Load());
    EXPECT_TRUE(withoutStrings.m_icons[ICON_APP].IsOk());
    EXPECT_EQ(boxes.m_calls.size(), 1u);
}

TEST_F(Pictures, LanguageCopyOfABitmapWins)
{
    const std::string root = CopyResources("language");
    fs::create_directories(root + "/QuorvantiRes/fr/bitmaps");
    wxImage wide(40, 32);
    ASSERT_TRUE(wide.SaveFile(root + "/QuorvantiRes/fr/bitmaps/sb32start.png", wxBITMAP_TYPE_PNG));
    CgumRes res;
    res.SetLanguage("fr");
    ASSERT_TRUE(res.Load());
    EXPECT_EQ(SizeOf(res.m_sideBitmaps[BMP_START].m_small), wxSize(40, 32));
    EXPECT_EQ(SizeOf(res.m_sideBitmaps[BMP_STOP].m_small), wxSize(32, 32));
}
