// The preview as its user sees it: an effect's textures show in its pixels, a texture that cannot be read
// falls back to round particles without a message box, and a mouse drag along the timeline moves the time.
#include "EditorApp.h"
#include "GridSupport.h"
#include "ImageFile.h"
#include "PaintProbe.h"
#include "Preview.h"
#include "TestSupport.h"
#include "Timeline.h"
#include "CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <tuple>

using namespace KW;
using namespace pelmora::editor;
using pelmora::EmitterDesc;

namespace {

class PelmoraPreview : public testing::Test {
protected:
    void SetUp() override {
        app.reset(new pelmora::EditorApp());
        HWND window = app->getWindow()->getHandle();
        SetWindowPos(window, nullptr, 0, 0, 900, 700, SWP_NOZORDER | SWP_SHOWWINDOW);
        SetForegroundWindow(window);
        kwtest::pumpMessages();
        preview = app->getGadgets().preview;
        preview->setPlaying(false);
    }
    void TearDown() override { app.reset(); }

    // Pixels of the preview where green leads clearly (red and blue low), and where anything is drawn.
    void countPixels(int& green, int& drawn) const {
        const pelmora::Canvas& canvas = preview->getCanvas();
        green = drawn = 0;
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                const std::uint32_t pixel = canvas.pixel(x, y);
                const int r = pixel >> 16, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
                green += g > 100 && r < 64 && b < 64;
                drawn += pixel != preview->getBackground();
            }
        }
    }

    std::unique_ptr<pelmora::EditorApp> app;
    pelmora::Preview* preview = nullptr;
};

} // namespace

TEST_F(PelmoraPreview, TexturesShowAndAnUnreadableOneFallsBackQuietly) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string effectPath = std::string(folder) + "pelmora-textured.kwfx";
    const std::string texturePath = std::string(folder) + "pelmora-green.png";
    Scene scene = app->getScene();
    EmitterDesc& emitter = scene.findEmitter(app->getSelected())->values;
    emitter.texture = "pelmora-green.png";
    emitter.blend = pelmora::Blend::Alpha;
    const pelmora::Color white = {255, 255, 255, 255};
    emitter.color = {pelmora::ColorKey{0.0f, white, white}, pelmora::ColorKey{100.0f, white, white}};
    std::ofstream(effectPath, std::ios::binary) << pelmora::effectFileText(scene);

    const struct {
        bool readable;
        bool greenShows;
    } cases[] = {{true, true}, {false, false}};
    for (const auto& c : cases) {
        std::string error;
        if (c.readable) {
            const pelmora::Image green{
                2, 2, {0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255}};
            ASSERT_TRUE(pelmora::writePng(texturePath, green, error)) << error;
        } else {
            std::ofstream(texturePath, std::ios::binary) << "not an image";
        }
        kwtest::clearMessageBoxes();
        app->openAtStart(effectPath);
        preview->seek(1.0);
        kwtest::pumpMessages();
        int green = 0, drawn = 0;
        countPixels(green, drawn);
        EXPECT_GT(drawn, 50) << c.readable;
        EXPECT_EQ(c.greenShows, green > 50) << c.readable << ": " << green << " green pixels";
        EXPECT_EQ(c.readable, preview->getMissingTextures().empty()) << c.readable;
        EXPECT_TRUE(kwtest::messageBoxes().empty()) << c.readable;
        // The grid's texture row says what became of the file.
        HWND list = app->getGadgets().grid->getHandle();
        const std::vector<std::string> rows = gridtest::rowTexts(list);
        const auto row = std::find(rows.begin(), rows.end(), "Texture file");
        ASSERT_NE(rows.end(), row);
        const std::string state = gridtest::cellText(list, static_cast<int>(row - rows.begin()), 1);
        EXPECT_EQ(c.readable ? "2 x 2 texels" : "missing: not an image",
                  state.substr(0, c.readable ? 99 : 21));
    }
    DeleteFileA(effectPath.c_str());
    DeleteFileA(texturePath.c_str());
}

TEST_F(PelmoraPreview, DraggingAlongTheTimelineSeeksAndPauses) {
    pelmora::Timeline* timeline = preview->getTimeline();
    preview->seek(0.5);
    preview->setPlaying(true);
    kwtest::pumpMessages();
    const std::size_t before = preview->getPlayback().particleCount();
    const pelmora::TimelineScale& bar = timeline->getScale();
    HWND handle = timeline->getHandle();
    kwtest::moveMouseTo(handle, bar.toPixel(0.5), 10);
    kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
    kwtest::pumpMessages();
    for (double seconds = 1.0; seconds <= 3.0; seconds += 0.5) {
        kwtest::moveMouseTo(handle, bar.toPixel(seconds), 10);
        kwtest::pumpMessages();
    }
    kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
    kwtest::pumpMessages();
    EXPECT_NEAR(3.0, preview->time(), 0.05);
    EXPECT_NEAR(3.0, timeline->getTime(), 0.05);
    EXPECT_FALSE(preview->isPlaying());
    EXPECT_FALSE(timeline->isScrubbing());
    EXPECT_NE(before, preview->getPlayback().particleCount());
}

TEST_F(PelmoraPreview, AfterPlayingPastTenSecondsTheMarkerDragsBackAndOutAgain) {
    pelmora::Timeline* timeline = preview->getTimeline();
    preview->seek(25.0);
    kwtest::pumpMessages();
    ASSERT_DOUBLE_EQ(30.0, timeline->getScale().span);
    const pelmora::TimelineScale bar = timeline->getScale();
    HWND handle = timeline->getHandle();
    kwtest::moveMouseTo(handle, bar.toPixel(25.0), 10);
    kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
    kwtest::pumpMessages();
    for (double seconds : {15.0, 5.0, 2.0, 12.0, 22.0}) {
        kwtest::moveMouseTo(handle, bar.toPixel(seconds), 10);
        kwtest::pumpMessages();
        EXPECT_DOUBLE_EQ(30.0, timeline->getScale().span) << seconds;
        EXPECT_NEAR(seconds, timeline->getTime(), 0.1);
    }
    kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
    kwtest::pumpMessages();
    EXPECT_NEAR(22.0, preview->time(), 0.1);
    app->runCommand(pelmora::CommandNew); // another effect starts on the shortest span
    kwtest::pumpMessages();
    EXPECT_DOUBLE_EQ(10.0, timeline->getScale().span);
}

TEST_F(PelmoraPreview, TheWheelZoomsAboutThePointerAndAMiddleDragPans) {
    HWND handle = preview->getHandle();
    kwtest::moveMouseTo(handle, 200, 150);
    kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
    kwtest::mouseInput(MOUSEEVENTF_LEFTUP); // the wheel goes to the window with the focus
    const int width = preview->getCanvas().width(), height = preview->getCanvas().height();
    const pelmora::PreviewView before = preview->getView();
    const float x = before.toEffectX(200, width), y = before.toEffectY(150, height);
    kwtest::mouseInput(MOUSEEVENTF_WHEEL, static_cast<DWORD>(2 * WHEEL_DELTA));
    const pelmora::PreviewView zoomed = preview->getView();
    EXPECT_NEAR(before.scale * 1.5625f, zoomed.scale, 1e-3f);
    EXPECT_NEAR(200.0f, zoomed.toClientX(x, width), 0.5f);
    EXPECT_NEAR(150.0f, zoomed.toClientY(y, height), 0.5f);

    kwtest::mouseInput(MOUSEEVENTF_MIDDLEDOWN);
    kwtest::moveMouseTo(handle, 230, 130);
    kwtest::mouseInput(MOUSEEVENTF_MIDDLEUP);
    EXPECT_NEAR(zoomed.panX + 30.0f, preview->getView().panX, 1e-3f);
    EXPECT_NEAR(zoomed.panY - 20.0f, preview->getView().panY, 1e-3f);
}

// The View menu's commands reach the preview and check their choice; a value edit keeps the preview's time
// unless Restart on Change is on, and a timing edit always starts it over.
TEST_F(PelmoraPreview, ViewCommandsAndEditsReachThePreview) {
    HWND window = app->getWindow()->getHandle();
    for (int command :
         {pelmora::CommandGrid + 0, pelmora::CommandSpeed + 4, pelmora::CommandBackgroundWhite + 0}) {
        SendMessageW(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    }
    EXPECT_TRUE(kwtest::pumpUntil([this] { return preview->getCanvas().pixel(1, 1) == 0xFFFFFF; }));
    EXPECT_TRUE(preview->isGridVisible());
    EXPECT_EQ(4.0, preview->getSpeed());
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED),
              GetMenuState(GetMenu(window), pelmora::CommandSpeed + 4, MF_BYCOMMAND) & MF_CHECKED);

    // Restart on Change, the edit, and whether the preview starts over.
    const std::tuple<bool, void (*)(EmitterDesc&), bool> cases[] = {
        {false, [](EmitterDesc& e) { e.rate += 1; }, false},
        {false, [](EmitterDesc& e) { e.prewarm = !e.prewarm; }, true},
        {true, [](EmitterDesc& e) { e.rate += 1; }, true}};
    Scene scene = app->getScene();
    for (const auto& c : cases) {
        if (preview->getRestartOnChange() != std::get<0>(c)) {
            SendMessageW(window, WM_COMMAND, pelmora::CommandRestartOnChange, 0);
        }
        preview->seek(2.0);
        std::get<1>(c)(scene.findEmitter(app->getSelected())->values);
        preview->update(scene);
        EXPECT_NEAR(std::get<2>(c) ? 0.0 : 2.0, preview->time(), 0.05) << &c - cases;
    }
}
