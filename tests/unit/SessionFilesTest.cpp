#include "logic/SceneText.h"
#include "logic/Recovery.h"
#include "logic/RecentFiles.h"
#include "logic/Settings.h"

#include <gtest/gtest.h>

using namespace pelmora;

TEST(RecentFiles, NewestFirstEachFileOnceInAnyCaseAtMostEight) {
    RecentFiles recent({"C:\\a.kwfx", "", "c:/A.KWFX", "C:\\b.kwfx"});
    EXPECT_EQ((std::vector<std::string>{"C:\\a.kwfx", "C:\\b.kwfx"}), recent.items());
    recent.add("C:\\B.kwfx");
    EXPECT_EQ((std::vector<std::string>{"C:\\B.kwfx", "C:\\a.kwfx"}), recent.items());
    for (int i = 0; i < 9; ++i) {
        recent.add("f" + std::to_string(i));
    }
    ASSERT_EQ(kMaxRecentFiles, recent.items().size());
    EXPECT_EQ("f8", recent.items().front());
    EXPECT_EQ("f1", recent.items().back());
    EXPECT_TRUE(recent.remove("F4"));
    EXPECT_FALSE(recent.remove("f4"));
    EXPECT_EQ(7u, recent.items().size());
    EXPECT_EQ("&3 C:\\R&&D\\x.kwfx", recentMenuText(2, "C:\\R&D\\x.kwfx"));
}

TEST(Settings, RoundTripKeepsValidValuesAndDropsInvalidOnes) {
    Settings settings;
    settings.layout = "v1 0 0 800 600 max";
    settings.theme = "light";
    settings.lastFolder = "C:\\Effects\\Ёж";
    settings.recentFiles = {"C:\\Effects\\1.kwfx", "C:\\2.kwfx"};
    Settings read;
    std::string error;
    ASSERT_TRUE(readSettings(settingsText(settings), read, error)) << error;
    EXPECT_EQ(settings.layout, read.layout);
    EXPECT_EQ(settings.theme, read.theme);
    EXPECT_EQ(settings.lastFolder, read.lastFolder);
    EXPECT_EQ(settings.recentFiles, read.recentFiles);

    const std::string invalid = R"({"format": "pelmora-settings", "layout": "tab\there", "theme": "pink",
        "lastFolder": 3, "recentFiles": ["a", 4, "", "b\n", "A", "c"]})";
    ASSERT_TRUE(readSettings(invalid, read, error));
    EXPECT_EQ("", read.layout);
    EXPECT_EQ("", read.theme);
    EXPECT_EQ("", read.lastFolder);
    EXPECT_EQ((std::vector<std::string>{"a", "c"}), read.recentFiles);
}

TEST(Settings, TextThatIsNotSettingsGivesTheDefaults) {
    for (const char* text : {"", "{\"format\": \"pelmora-settings\"", "[1]", "{\"theme\": \"dark\"}",
                             "{\"format\": \"pelmora-effect\", \"theme\": \"dark\"}"}) {
        Settings read;
        read.theme = "dark";
        std::string error;
        EXPECT_FALSE(readSettings(text, read, error)) << text;
        EXPECT_EQ("", read.theme) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(Recovery, FileNamesAndContentRoundTrip) {
    RecoveryInfo named;
    EXPECT_TRUE(parseRecoveryFileName(recoveryFileName({4294967295u, 18446744073709551615ull, ""}), named));
    EXPECT_EQ(4294967295u, named.pid);
    EXPECT_EQ(18446744073709551615ull, named.started);
    for (const char* name : {"recovery-1-.json", "recovery-012-5.json", "recovery-4294967296-5.json",
                             "recovery-1-18446744073709551616.json", "recovery-12-5.json.taken-8",
                             "recovery-1x-5.json", "recovery-12.json", "settings.json"}) {
        EXPECT_FALSE(parseRecoveryFileName(name, named)) << name;
    }

    editor::Scene scene = editor::Scene::makeDefault();
    scene.findEmitter(3)->values.rate = 77.0f;
    const RecoveryInfo info = {1234, 132000000000000000ull, "C:\\Эффекты\\fire.kwfx"};
    std::string text, effectText, error;
    ASSERT_TRUE(recoveryText(info, editor::writeScene(scene, TextEncoding::Utf8), text));
    RecoveryInfo read;
    ASSERT_TRUE(readRecovery(text, read, effectText, error)) << error;
    EXPECT_EQ(info.pid, read.pid);
    EXPECT_EQ(info.started, read.started);
    EXPECT_EQ(info.original, read.original);
    editor::Scene recovered;
    ASSERT_TRUE(editor::readScene(effectText, recovered, error, TextEncoding::Utf8)) << error;
    EXPECT_EQ(77.0f, recovered.findEmitter(3)->values.rate);

    EXPECT_FALSE(recoveryText(info, "not json", text));
    EXPECT_FALSE(readRecovery(R"({"format": "pelmora-recovery", "pid": -1, "started": 1, "original": "",
        "effect": {}})",
                              read, effectText, error));
}
