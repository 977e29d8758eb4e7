// The effect editor driven from outside as a user would: open a file given on the command line, add an
// emitter, save with Ctrl+S, undo with Ctrl+Z, close and decline to save; save and reopen an effect
// named in any script in folders named so; recent files across sessions; work recovered after a crash;
// Save As into another folder; a flipbook exported as pelmora-render writes it.
#include "RemoteProcess.h"
#include "logic/SceneText.h"
#include "logic/Settings.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

using namespace kwe2e;

namespace {

std::string programFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

size_t emitterCount(const pelmora::editor::Scene& scene) {
    size_t count = 0;
    for (const pelmora::editor::System& system : scene.getSystems()) {
        for (const pelmora::editor::Group& group : system.groups) {
            count += group.emitters.size();
        }
    }
    return count;
}

pelmora::editor::Scene readScene(const std::string& path) {
    pelmora::editor::Scene scene;
    const pelmora::LoadResult read = pelmora::Effect::load(path);
    std::string error = read.error();
    EXPECT_TRUE(read && pelmora::editor::sceneFromSystems(read->systems(), scene, error)) << error;
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

// An example effect and its textures copied into folder.
void copyExample(const std::string& name, const std::string& folder) {
    const std::string examples = programFolder() + "\\examples\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\textures").c_str(), nullptr);
    CopyFileA((examples + name).c_str(), (folder + "\\" + name).c_str(), FALSE);
    for (const char* texture : {"fire_flipbook.png", "smoke.png", "spark.png"}) {
        CopyFileA((examples + "textures\\" + texture).c_str(), (folder + "\\textures\\" + texture).c_str(),
                  FALSE);
    }
}

// The File menu's item with this mnemonic, from the keyboard.
// The mnemonic is pressed once the menu shows: a busy program may miss the first Alt+F, and the
// mnemonic alone would then go to whatever has the focus.
void chooseFileMenuItem(HWND main, WORD mnemonic) {
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    const auto menuShown = [&] {
        HWND popup = FindWindowA("#32768", nullptr);
        DWORD owner = 0;
        GetWindowThreadProcessId(popup, &owner);
        return popup && owner == processId && IsWindowVisible(popup);
    };
    for (int attempt = 0; attempt < 3; ++attempt) {
        SetForegroundWindow(main);
        pressKeys(VK_MENU, 'F');
        if (waitUntil(5000, menuShown)) {
            pressKeys(0, mnemonic);
            return;
        }
        pressKeys(0, VK_ESCAPE);
        pressKeys(0, VK_ESCAPE);
    }
}

// Waits for the process's next dialog (other than `previous`), types the file name into its file name
// field and confirms; false when no file dialog came.
bool chooseFile(DWORD processId, HWND previous, const std::string& name) {
    HWND dialog = nullptr;
    if (!waitUntil(30000, [&] { return (dialog = dialogOf(processId)) != nullptr && dialog != previous; })) {
        return false;
    }
    HWND field = GetDlgItem(dialog, 0x480); // edt1
    if (!field) {
        const std::vector<HWND> edits = findChildren(dialog, "Edit");
        field = edits.empty() ? nullptr : edits[0];
    }
    if (!field) {
        return false;
    }
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return true;
}

std::string fileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

TEST(Pelmora, OpenEditSaveUndoAndCloseWithoutLosingTheSavedFile) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string file = std::string(temp) + "kw_e2e_session.kwfx";
    ASSERT_TRUE(CopyFileA((programFolder() + "\\examples\\campfire.kwfx").c_str(), file.c_str(), FALSE));
    const pelmora::editor::Scene original = readScene(file);
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
    pelmora::editor::Scene scene = pelmora::editor::Scene::makeDefault();
    ASSERT_TRUE(scene.setName(3, name)); // the emitter, which the editor selects on opening
    std::ofstream(file, std::ios::binary) << pelmora::editor::writeScene(scene, pelmora::TextEncoding::Utf8);

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
    const pelmora::editor::Scene saved = readScene(file);
    EXPECT_EQ(2u, emitterCount(saved));
    EXPECT_EQ(name, saved.getSystems().at(0).groups.at(0).emitters.at(0).values.name);
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

TEST(Pelmora, SaveAsStartsBesideTheEffectAndKeepsItsTextureReachableFromAnotherFolder) {
    UserFolder user;
    const std::string root = tempFile("kw_e2e_move"), fx = root + "\\fx", saved = root + "\\saved";
    // A copy left by an interrupted run would stop the dialog at its overwrite question.
    for (const std::string& file : {fx + "\\copy.kwfx", saved + "\\moved.kwfx"}) {
        DeleteFileA(file.c_str());
    }
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA(saved.c_str(), nullptr);
    copyExample("fire.kwfx", fx);
    RemoteProcess process(programFolder() + "\\Pelmora.exe", programFolder(), "\"" + fx + "\\fire.kwfx\"");
    HWND main = process.waitForWindow("Pelmora - fire.kwfx", 30000);
    ASSERT_TRUE(main);
    // A bare name lands in the folder the dialog opened in: the effect's own. Then into another folder.
    const struct {
        std::string typed;
        std::string title;
        std::string file;
    } steps[] = {{"copy.kwfx", "Pelmora - copy.kwfx", fx + "\\copy.kwfx"},
                 {saved + "\\moved.kwfx", "Pelmora - moved.kwfx", saved + "\\moved.kwfx"}};
    for (const auto& step : steps) {
        chooseFileMenuItem(main, 'A');
        ASSERT_TRUE(chooseFile(process.id(), nullptr, step.typed));
        ASSERT_TRUE(process.waitForWindow(step.title, 10000)) << step.typed;
        const pelmora::editor::Scene scene = readScene(step.file);
        const std::string texture = scene.getSystems().at(0).groups.at(0).emitters.at(0).values.texture;
        const std::string folder = step.file.substr(0, step.file.find_last_of('\\'));
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "\\" + texture).c_str()))
            << step.file << ": " << texture;
    }
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, process.waitForExit(15000));
    DeleteFileA((programFolder() + "\\copy.kwfx").c_str());
    for (const std::string& file : {fx + "\\copy.kwfx", fx + "\\fire.kwfx", saved + "\\moved.kwfx"}) {
        DeleteFileA(file.c_str());
    }
}

TEST(Pelmora, ExportFlipbookFitsTheEffectSaysWhereItWentAndMatchesPelmoraRender) {
    UserFolder user;
    const std::string folder = tempFile("kw_e2e_flipbook");
    copyExample("sparks.kwfx", folder);
    const std::string effect = folder + "\\sparks.kwfx";
    RemoteProcess process(programFolder() + "\\Pelmora.exe", programFolder(), "\"" + effect + "\"");
    HWND main = process.waitForWindow("Pelmora - sparks.kwfx", 30000);
    ASSERT_TRUE(main);
    chooseFileMenuItem(main, 'B');
    HWND settings = nullptr;
    ASSERT_TRUE(waitUntil(30000, [&] { return (settings = dialogOf(process.id())) != nullptr; }));
    EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(settings, 104), BM_GETCHECK, 0, 0)); // fit
    SendMessageA(GetDlgItem(settings, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("64"));
    SendMessageA(GetDlgItem(settings, 102), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("9"));
    PostMessageA(settings, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(chooseFile(process.id(), settings, "exported.png"));

    // The status bar says where the file went: beside the effect.
    const std::string exported = folder + "\\exported.png", rendered = folder + "\\rendered.png";
    HWND status = findChildren(main, STATUSCLASSNAMEA).at(0);
    std::string said;
    EXPECT_TRUE(waitUntil(30000, [&] {
        char buffer[512] = {};
        process.sendWithBuffer(status, SB_GETTEXTA, 0, buffer, sizeof(buffer));
        said = buffer;
        return said.rfind("Flipbook exported to ", 0) == 0;
    })) << said;
    EXPECT_EQ("\\exported.png", said.substr(said.size() - 13));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, process.waitForExit(15000));

    // pelmora-render, fitting by default (its frames hold the whole effect), writes the same bytes.
    RemoteProcess render(programFolder() + "\\pelmora-render.exe", programFolder(),
                         "\"" + effect + "\" --size 64 --frames 9 --sheet \"" + rendered + "\"");
    EXPECT_EQ(0u, render.waitForExit(30000));
    const std::string sheetBytes = fileBytes(exported);
    EXPECT_FALSE(sheetBytes.empty());
    EXPECT_EQ(sheetBytes, fileBytes(rendered));
    for (const std::string& file : {exported, rendered, effect}) {
        DeleteFileA(file.c_str());
    }
}
