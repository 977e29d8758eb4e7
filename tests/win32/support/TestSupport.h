#ifndef KW_TEST_SUPPORT_H
#define KW_TEST_SUPPORT_H

#include <KW.h>

#include <functional>
#include <string>
#include <vector>

namespace kwtest {

struct MessageBoxRecord {
    std::string caption;
    std::string text;
};

// Every message box the test thread opens is recorded and closed at once (a hook installed by main).
const std::vector<MessageBoxRecord>& messageBoxes();
void clearMessageBoxes();

// The body of every test program's main: GoogleTest, the message-box catcher and the library
// started, then every test run; the exit code.
int runAllTests(int* argc, char** argv);

// Runs this program again with firstArgument before its own arguments and waits for it (five minutes
// at most); its exit code, or -1.
int runThisProgramAgain(const std::string& firstArgument, int argc, char** argv);
// Whether the program runs under Wine.
bool underWine();
// A left click at a client point of a window, as the mouse would post it.
void clickAt(HWND window, int x, int y);

// Dispatches the thread's pending messages.
void pumpMessages();
// Pumps messages until condition() holds or timeoutMs passes; returns condition().
bool pumpUntil(const std::function<bool()>& condition, int timeoutMs = 2000);

std::string windowClassName(HWND window);
std::string windowText(HWND window);
// A window's rectangle in its parent's client coordinates, as edges.
KW::KWBound rectInParent(HWND window);
// Size of the client area.
SIZE clientSize(HWND window);

// The colour GDI reads at a client point of a shown window, after pumping paint messages.
COLORREF pixelAt(HWND window, int x, int y);

// The colours of a shown window's client pixels (0, 0) to (width, height), row by row from the top,
// read in one copy after its pending paints.
std::vector<COLORREF> captureClient(HWND window, int width, int height);

// Writes a 24-bit bitmap file whose pixel (x, y) is colorAt(x, y).
bool writeBitmapFile(const std::string& path, int width, int height,
                     const std::function<COLORREF(int, int)>& colorAt);

} // namespace kwtest

#endif
