// The effect editor driven from outside as a user would: open a file given on the command line, add an
// emitter, save with Ctrl+S, undo with Ctrl+Z, close and decline to save; save and reopen an effect
// named in any script in folders named so; recent files across sessions; work recovered after a crash.
#include "RemoteProcess.h"
#include "logic/EffectFile.h"
#include "logic/Settings.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace kwe2e;

namespace {

std::string programFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

size_t emitterCount(const KW::effect::Scene& scene) {
    size_t count = 0;
    for (const KW::effect::System& system : scene.getSystems()) {
        for (const KW::effect::Group& group : system.groups) {
            count += group.emitters.size();
        }
    }
    return count;
}

KW::effect::Scene readScene(const std::string& path) {
    KW::effect::Scene scene;
    std::string error;
    EXPECT_TRUE(KW::effect::readEffectFile(path, scene, error)) << error;
    return scene;
}

// A key with a modifier held (0 for none).
void pressKeys(WORD modifier, WORD key) {
    INPUT inputs[4] = {};
    UINT count = 0;
    for (WORD vk : {modifier, key, key, modifier}) {
        if (vk != 0) {
            inputs[count].type = INPUT_KEYBOARD;
            inputs[count].ki.wVk = vk;
            inputs[count].ki.dwFlags = count >= (modifier ? 2u : 1u) ? KEYEVENTF_KEYUP : 0;
            ++count;
        }
    }
    SendInput(count, inputs, sizeof(INPUT));
}

struct DialogSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM data) {
    DialogSearch* search = reinterpret_cast<DialogSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && classOf(window) == "#32770" && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The process's open dialog box (a message box), or null.
HWND dialogOf(DWORD processId) {
    DialogSearch search = {processId, nullptr};
    EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string tempFile(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return temp + name;
}

// The editor's message box whose text starts so, closed with the answer.
bool answerBox(DWORD processId, const std::string& start, WPARAM answer) {
    HWND box = nullptr;
    if (!waitUntil(30000, [&] { return (box = dialogOf(processId)) != nullptr; })) {
        return false;
    }
    bool found = false;
    for (HWND text : findChildren(box, "Static")) {
        found = found || textOf(text).compare(0, start.size(), start) == 0;
    }
    PostMessageA(box, WM_COMMAND, answer, 0);
    return found;
}

// File > Recent Files > the numbered entry, from the keyboard.
void chooseRecent(HWND main, char number) {
    SetForegroundWindow(main);
    pressKeys(VK_MENU, 'F');
    for (WORD key : {WORD('F'), WORD(number)}) {
        Sleep(300);
        pressKeys(0, key);
    }
}

} // namespace

TEST(Pelmora, OpenEditSaveUndoAndCloseWithoutLosingTheSavedFile) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string file = std::string(temp) + "kw_e2e_session.kwfx";
    ASSERT_TRUE(CopyFileA((programFolder() + "\\examples\\campfire.kwfx").c_str(), file.c_str(), FALSE));
    const KW::effect::Scene original = readScene(file);
    const size_t emitters = emitterCount(original);

    RemoteProcess process(programFolder() + "\\Pelmora.exe", programFolder(), "\"" + file + "\"");
    ASSERT_TRUE(process.started());
    HWND main = process.waitForWindow("Pelmora - kw_e2e_session.kwfx", 30000);
    ASSERT_TRUE(main) << "the editor did not open the file";

    // The preview runs: the status bar counts live particles.
    HWND status = findChildren(main, STATUSCLASSNAMEA).at(0);
    std::string statusText;
    EXPECT_TRUE(waitUntil(10000, [&] {
        char buffer[256] = {};
        process.sendWithBuffer(status, SB_GETTEXTA, 0, buffer, sizeof(buffer));
        statusText = buffer;
        return statusText.rfind("Particles: ", 0) == 0 && statusText.compare(0, 12, "Particles: 0") != 0;
    })) << statusText;

    HWND tree = findChildren(main, WC_TREEVIEWA).at(0);
    const LRESULT items = SendMessageA(tree, TVM_GETCOUNT, 0, 0);
    EXPECT_EQ(static_cast<LRESULT>(original.elementCount() + 1), items); // the scene's own row too

    // Add an emitter with the palette button: the title marks the change.
    HWND addEmitter = findChildren(main, "Button", "Emitter").at(0);
    RECT button = rectIn(addEmitter, nullptr);
    clickAt((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    ASSERT_TRUE(process.waitForWindow("Pelmora - kw_e2e_session.kwfx *", 5000));
    EXPECT_EQ(items + 1, SendMessageA(tree, TVM_GETCOUNT, 0, 0));

    // Ctrl+S writes it; the file now holds the new emitter.
    SetForegroundWindow(main);
    pressKeys(VK_CONTROL, 'S');
    ASSERT_TRUE(process.waitForWindow("Pelmora - kw_e2e_session.kwfx", 5000));
    EXPECT_EQ(emitters + 1, emitterCount(readScene(file)));

    // Ctrl+Z takes the emitter away again: unsaved, and the tree follows.
    pressKeys(VK_CONTROL, 'Z');
    ASSERT_TRUE(process.waitForWindow("Pelmora - kw_e2e_session.kwfx *", 5000));
    EXPECT_EQ(items, SendMessageA(tree, TVM_GETCOUNT, 0, 0));

    // Closing asks to save; No ends the program and the file keeps what was saved.
    PostMessageA(main, WM_CLOSE, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil(5000, [&] { return (box = dialogOf(process.id())) != nullptr; }));
    EXPECT_EQ(1u, findChildren(box, "Static", "Save changes?").size());
    PostMessageA(box, WM_COMMAND, IDNO, 0);
    EXPECT_EQ(0u, process.waitForExit(15000));
    EXPECT_EQ(emitters + 1, emitterCount(readScene(file)));
    DeleteFileA(file.c_str());
}

TEST(Pelmora, SavesAndReopensAnEffectNamedInAnyScriptInFoldersNamedSo) {
    ASSERT_EQ(static_cast<UINT>(CP_UTF8), GetACP());
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string outer = std::string(temp) + "Эффекты";
    const std::string folder = outer + "\\日本";
    const std::string file = folder + "\\花火.kwfx";
    const std::string name = "花火 ✨ Ёж";
    CreateDirectoryA(outer.c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    KW::effect::Scene scene = KW::effect::Scene::makeDefault();
    ASSERT_TRUE(scene.rename(3, name)); // the emitter, which the editor selects on opening
    std::ofstream(file, std::ios::binary) << KW::effect::writeEffect(scene, KW::effect::TextEncoding::Utf8);

    // The first session adds an emitter and saves; the second opens what it saved. Both show the name.
    for (int session = 0; session < 2; ++session) {
        RemoteProcess process(programFolder() + "\\Pelmora.exe", programFolder(), "\"" + file + "\"");
        HWND main = process.waitForWindow("Pelmora - 花火.kwfx", 30000);
        ASSERT_TRUE(main) << "the editor did not open the file";
        EXPECT_EQ(1u, findChildren(main, "Edit", name).size()) << session;
        if (session == 0) {
            RECT button = rectIn(findChildren(main, "Button", "Emitter").at(0), nullptr);
            clickAt((button.left + button.right) / 2, (button.top + button.bottom) / 2);
            ASSERT_TRUE(process.waitForWindow("Pelmora - 花火.kwfx *", 5000));
            SetForegroundWindow(main);
            pressKeys(VK_CONTROL, 'S');
            ASSERT_TRUE(process.waitForWindow("Pelmora - 花火.kwfx", 5000));
        }
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, process.waitForExit(15000));
    }
    KW::effect::Scene saved;
    std::string error;
    ASSERT_TRUE(KW::effect::readEffectFile(file, saved, error, KW::effect::TextEncoding::Utf8)) << error;
    EXPECT_EQ(2u, emitterCount(saved));
    EXPECT_EQ(name, saved.getSystems().at(0).groups.at(0).emitters.at(0).name);
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
    EXPECT_TRUE(RemoveDirectoryA(outer.c_str())); // no temporary file was left behind
}

TEST(Pelmora, RecentFilesSurviveARestartAndAMissingOneLeavesTheList) {
    UserFolder user;
    const std::string kept = tempFile("kw_e2e_kept.kwfx"), gone = tempFile("kw_e2e_gone.kwfx");
    for (const std::string& file : {kept, gone}) {
        ASSERT_TRUE(CopyFileA((programFolder() + "\\examples\\campfire.kwfx").c_str(), file.c_str(), FALSE));
        RemoteProcess process(programFolder() + "\\Pelmora.exe", programFolder(), "\"" + file + "\"");
        HWND main = process.waitForWindow("Pelmora - " + file.substr(file.find_last_of('\\') + 1), 30000);
        ASSERT_TRUE(main);
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, process.waitForExit(15000));
    }
    DeleteFileA(gone.c_str());

    // A new session lists both, the last opened first: the second entry opens the kept file, the first
    // one is missing and leaves the list.
    RemoteProcess process(programFolder() + "\\Pelmora.exe", programFolder());
    HWND main = process.waitForWindow("Pelmora - Untitled", 30000);
    ASSERT_TRUE(main);
    chooseRecent(main, '2');
    EXPECT_TRUE(process.waitForWindow("Pelmora - kw_e2e_kept.kwfx", 10000));
    chooseRecent(main, '2');
    EXPECT_TRUE(answerBox(process.id(), gone + "\n\nThis file no longer exists.", IDOK));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, process.waitForExit(15000));
    pelmora::Settings settings;
    std::string error;
    ASSERT_TRUE(pelmora::readSettings(user.text("Pelmora\\settings.json"), settings, error)) << error;
    EXPECT_EQ(std::vector<std::string>{kept}, settings.recentFiles);
    DeleteFileA(kept.c_str());
}

TEST(Pelmora, WorkOfAKilledEditorIsOfferedBackAndSavesToItsFile) {
    UserFolder user;
    const std::string file = tempFile("kw_e2e_crash.kwfx");
    ASSERT_TRUE(CopyFileA((programFolder() + "\\examples\\campfire.kwfx").c_str(), file.c_str(), FALSE));
    const size_t emitters = emitterCount(readScene(file));
    {
        RemoteProcess process(programFolder() + "\\Pelmora.exe", programFolder(), "\"" + file + "\"");
        HWND main = process.waitForWindow("Pelmora - kw_e2e_crash.kwfx", 30000);
        ASSERT_TRUE(main);
        RECT button = rectIn(findChildren(main, "Button", "Emitter").at(0), nullptr);
        clickAt((button.left + button.right) / 2, (button.top + button.bottom) / 2);
        ASSERT_TRUE(process.waitForWindow("Pelmora - kw_e2e_crash.kwfx *", 5000));
        WIN32_FIND_DATAA entry = {};
        const std::string recovery =
            user.path + "\\Pelmora\\recovery\\recovery-" + std::to_string(process.id()) + "-*.json";
        auto written = [&] {
            HANDLE found = FindFirstFileA(recovery.c_str(), &entry);
            return found != INVALID_HANDLE_VALUE && FindClose(found);
        };
        ASSERT_TRUE(waitUntil(10000, written));

        // Another editor started meanwhile leaves the running one's work alone.
        RemoteProcess other(programFolder() + "\\Pelmora.exe", programFolder());
        HWND otherMain = other.waitForWindow("Pelmora - Untitled", 30000);
        ASSERT_TRUE(otherMain);
        Sleep(1000);
        EXPECT_EQ(nullptr, dialogOf(other.id()));
        PostMessageA(otherMain, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, other.waitForExit(15000));
        EXPECT_TRUE(written());
    } // the process ends here by TerminateProcess

    RemoteProcess process(programFolder() + "\\Pelmora.exe", programFolder());
    ASSERT_TRUE(answerBox(process.id(), "Recover unsaved work?", IDYES));
    HWND main = process.waitForWindow("Pelmora - kw_e2e_crash.kwfx *", 10000);
    ASSERT_TRUE(main);
    EXPECT_EQ(emitters, emitterCount(readScene(file)));
    SetForegroundWindow(main);
    pressKeys(VK_CONTROL, 'S');
    ASSERT_TRUE(process.waitForWindow("Pelmora - kw_e2e_crash.kwfx", 5000));
    EXPECT_EQ(emitters + 1, emitterCount(readScene(file)));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, process.waitForExit(15000));
    WIN32_FIND_DATAA entry = {};
    EXPECT_EQ(INVALID_HANDLE_VALUE,
              FindFirstFileA((user.path + "\\Pelmora\\recovery\\*.json*").c_str(), &entry));
    DeleteFileA(file.c_str());
}
