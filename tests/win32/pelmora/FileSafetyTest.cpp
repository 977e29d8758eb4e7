// The effect editor keeps the user's work: a save that cannot replace its target leaves the old file and
// says why, a bad file leaves the open effect alone, and closing with unsaved changes asks first.
#include "EditorApp.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

using pelmora::EditorApp;

namespace {

std::string temporaryPath(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

std::string fileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool boxSaid(const std::string& words) {
    for (const kwtest::MessageBoxRecord& box : kwtest::messageBoxes()) {
        if (box.text.find(words) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// The save's temporary files in the temporary folder (where the target lives).
int temporaryFileCount() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(temporaryPath("kw*.tmp").c_str(), &found);
    int count = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            ++count;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return count;
}

std::string exampleEffect() {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string folder = program;
    return fileText(folder.substr(0, folder.find_last_of("\\/")) + "\\examples\\campfire.kwfx");
}

} // namespace

TEST(PelmoraFiles, ASaveThatCannotReplaceTheTargetKeepsTheOldFileAndTheUnsavedMark) {
    struct Case {
        const char* name;
        std::function<HANDLE(const std::string&)> block; // returns a handle to close afterwards, or null
        std::function<void(const std::string&)> unblock;
    } cases[] = {
        {"read-only",
         [](const std::string& path) {
             SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
             return HANDLE(nullptr);
         },
         [](const std::string& path) { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); }},
        {"locked",
         [](const std::string& path) {
             return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         },
         [](const std::string&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = temporaryPath("kw_pelmora_save.kwfx");
        const std::string original = exampleEffect();
        ASSERT_FALSE(original.empty());
        writeFile(path, original);
        EditorApp app;
        app.openAtStart(path);
        app.runCommand(pelmora::CommandAddEmitter);
        ASSERT_TRUE(app.hasUnsavedChanges());

        const int temporaries = temporaryFileCount();
        HANDLE held = c.block(path);
        kwtest::clearMessageBoxes();
        app.runCommand(pelmora::CommandSave);
        kwtest::pumpMessages();
        if (held) {
            CloseHandle(held);
        }
        c.unblock(path);

        EXPECT_TRUE(boxSaid("Cannot save")) << c.name;
        EXPECT_EQ(original, fileText(path));
        EXPECT_TRUE(app.hasUnsavedChanges());
        EXPECT_EQ("Pelmora - kw_pelmora_save.kwfx *", app.getWindow()->getText());

        // Nothing blocks it any more: the same command saves, and no temporary file is left behind.
        app.runCommand(pelmora::CommandSave);
        EXPECT_FALSE(app.hasUnsavedChanges());
        EXPECT_NE(original, fileText(path));
        EXPECT_EQ(temporaries, temporaryFileCount());
        DeleteFileA(path.c_str());
    }
}

TEST(PelmoraFiles, ABadFileIsReportedAndTheOpenEffectStaysAsItWas) {
    EditorApp app;
    app.runCommand(pelmora::CommandAddSystem);
    const pelmora::editor::Scene before = app.getScene();
    const std::string path = temporaryPath("kw_pelmora_bad.kwfx");
    writeFile(path, "{ \"format\": \"pelmora-effect\", \"version\": 99 }");
    kwtest::clearMessageBoxes();
    app.openAtStart(path);
    EXPECT_TRUE(boxSaid("Cannot open"))
        << (kwtest::messageBoxes().empty() ? "" : kwtest::messageBoxes()[0].text);
    EXPECT_TRUE(before == app.getScene());
    EXPECT_TRUE(app.hasUnsavedChanges());
    EXPECT_EQ("Pelmora - Untitled *", app.getWindow()->getText());
    DeleteFileA(path.c_str());
}

TEST(PelmoraFiles, ClosingWithUnsavedChangesAsksAndCancelKeepsTheWindow) {
    EditorApp app;
    HWND window = app.getWindow()->getHandle();
    app.runCommand(pelmora::CommandAddEmitter);
    kwtest::clearMessageBoxes();
    // The test's message boxes close as Cancel.
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(1u, kwtest::messageBoxes().size());
    EXPECT_EQ("Save changes?", kwtest::messageBoxes()[0].text);
    EXPECT_TRUE(IsWindow(window));

    // Undone back to the saved state: nothing to ask, the window closes.
    app.runCommand(pelmora::CommandUndo);
    kwtest::clearMessageBoxes();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(kwtest::messageBoxes().empty());
    EXPECT_FALSE(IsWindow(window));
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}
