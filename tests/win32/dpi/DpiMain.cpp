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

// Runs this program again for one DPI with the same arguments; its exit code, or -1.
int runChild(int dpi, int argc, char** argv) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command = std::string("\"") + path + "\" " + dpiOption + std::to_string(dpi);
    for (int i = 1; i < argc; ++i) {
        command += std::string(" \"") + argv[i] + "\"";
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    DWORD exitCode = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 300000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

// Wine takes a new LogPixels at the next process start; Windows only at the next sign-in, and there the
// setting is the user's own, so it is never touched.
bool underWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

int runEveryDpi(int argc, char** argv) {
    const DWORD saved = readLogPixels();
    int failures = 0;
    for (int dpi : {96, 144, 192}) {
        writeLogPixels(static_cast<DWORD>(dpi));
        const int exitCode = runChild(dpi, argc, argv);
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
