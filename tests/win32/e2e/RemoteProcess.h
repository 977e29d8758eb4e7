#ifndef KW_REMOTE_PROCESS_H
#define KW_REMOTE_PROCESS_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kwe2e {

// A program started in its own process, watched and driven from outside as a user would.
class RemoteProcess {
public:
    // arguments follow the quoted program path on the command line.
    RemoteProcess(const std::string& program, const std::string& workingDirectory,
                  const std::string& arguments = "");
    ~RemoteProcess();

    bool started() const { return info.hProcess != nullptr; }
    DWORD id() const { return info.dwProcessId; }
    // The process's top-level window with this exact caption, waited for up to timeoutMs.
    HWND waitForWindow(const std::string& caption, int timeoutMs);
    // Waits for the process to end; its exit code, or STILL_ACTIVE on timeout.
    DWORD waitForExit(int timeoutMs);

    // Sends a message whose lParam points at a record of `size` bytes, copied into the process and back.
    LRESULT sendWithBuffer(HWND window, UINT msg, WPARAM wParam, void* record, size_t size);

    // The text of a list view cell, read through a record and a text buffer placed in the process.
    std::string listItemText(HWND list, int row, int column);

private:
    PROCESS_INFORMATION info = {};
};

// While it lives, the programs this process starts keep their settings in a fresh folder of their own
// (APPDATA points there), removed at the end.
class UserFolder {
public:
    UserFolder();
    ~UserFolder();
    // A file of the folder (a path below it), empty when missing.
    std::string text(const std::string& relativePath) const;
    const std::string path;
};

struct DialogText {
    std::string caption;
    std::string text;
};

// Message boxes of a process that are open now and not yet in `alreadyRead`; each is closed after its
// caption and text are read, and added to `alreadyRead`.
std::vector<DialogText> closeMessageBoxes(DWORD processId, std::vector<HWND>& alreadyRead);

// Children of a window (all depths) of the given class, or with the given text when className is empty.
std::vector<HWND> findChildren(HWND parent, const std::string& className, const std::string& text = "");

// The titles of a window's menu bar, read inside its process by a hooked probe; empty if it cannot be read.
std::vector<std::string> menuBarTitles(HWND window);
// The screen rectangles of the menu bar's items (GetMenuItemRect), read the same way.
std::vector<RECT> menuBarItemRects(HWND window);
// The probe's answer, one line an item: titles (what 0) or rectangles (menuProbeRects).
std::vector<std::string> readMenuBar(HWND window, WPARAM what);

// Polls the condition until it holds (true) or timeoutMs have passed (false).
bool waitUntil(int timeoutMs, const std::function<bool()>& condition);

std::string classOf(HWND window);
std::string textOf(HWND window);
// A window's rectangle in the client coordinates of `reference`.
RECT rectIn(HWND window, HWND reference);

// Real input: move the cursor to a screen point, press and release the left button.
void moveMouse(int x, int y);
void leftButton(bool down);
void clickAt(int x, int y);

} // namespace kwe2e

#endif
