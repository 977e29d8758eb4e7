// The effect editor driven from outside as a user would: open a file given on the command line, add an
// emitter, save with Ctrl+S, undo with Ctrl+Z, close and decline to save; save and reopen an effect
// named in any script in folders named so.
#include "RemoteProcess.h"
#include "logic/EffectFile.h"

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

void pressKeys(WORD modifier, WORD key) {
    INPUT inputs[4] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
    }
    inputs[0].ki.wVk = modifier;
    inputs[1].ki.wVk = key;
    inputs[2].ki.wVk = key;
    inputs[2].ki.dwFlags = KEYEVENTF_KEYUP;
    inputs[3].ki.wVk = modifier;
    inputs[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, inputs, sizeof(INPUT));
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
