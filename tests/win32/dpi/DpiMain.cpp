#include "DpiRun.h"
#include "TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace kwtest {

namespace {

const char dpiOption[] = "--kw-dpi=";
const char desktopKey[] = "Control Panel\\Desktop";
int currentRunDpi = 96;

// The prefix's LogPixels, or 0 when it holds none.
DWORD readLogPixels() {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueA(HKEY_CURRENT_USER, desktopKey, "LogPixels", RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return 0;
    }
    return value;
}

void writeLogPixels(DWORD value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, desktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    if (value) {
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    } else {
        RegDeleteValueA(key, "LogPixels");
    }
    RegCloseKey(key);
}

int runEveryDpi(int argc, char** argv) {
    const DWORD saved = readLogPixels();
    int failures = 0;
    for (int dpi : {96, 144, 192}) {
        writeLogPixels(static_cast<DWORD>(dpi));
        const int exitCode = runThisProgramAgain(dpiOption + std::to_string(dpi), argc, argv);
        std::printf("dpi tests at %d DPI: %s (exit code %d)\n", dpi, exitCode == 0 ? "passed" : "FAILED",
                    exitCode);
        std::fflush(stdout);
        failures += exitCode != 0;
    }
    writeLogPixels(saved);
    return failures ? 1 : 0;
}

} // namespace

int runDpi() {
    return currentRunDpi;
}

int atRunDpi(int pixelsAt96) {
    const long long product = static_cast<long long>(pixelsAt96) * currentRunDpi;
    return static_cast<int>(product >= 0 ? (product + 48) / 96 : -((-product + 48) / 96));
}

} // namespace kwtest

int main(int argc, char** argv) {
    const bool child =
        argc >= 2 && std::strncmp(argv[1], kwtest::dpiOption, std::strlen(kwtest::dpiOption)) == 0;
    if (!child && kwtest::underWine()) {
        return kwtest::runEveryDpi(argc, argv);
    }
    if (child) {
        kwtest::currentRunDpi = std::atoi(argv[1] + std::strlen(kwtest::dpiOption));
    } else {
        // On Windows: once, at the display's own DPI.
        HDC screen = GetDC(nullptr);
        kwtest::currentRunDpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
    }
    return kwtest::runAllTests(&argc, argv);
}
