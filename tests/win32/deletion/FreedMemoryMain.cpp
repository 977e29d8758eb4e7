// Runs the deletion tests with the heap filling every freed block with a pattern, so that a touch of a
// deleted gadget fails at once instead of reading what happens to be left there. The heap takes the
// setting from the program's image options when the process starts: the first run sets them and runs
// the program again.
#include "TestSupport.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char childOption[] = "--kw-freed-memory-filled";
const DWORD heapChecks = 0x10 | 0x20; // tail checking, freed blocks filled

bool freedMemoryFilled() {
    using GlobalFlags = ULONG(WINAPI*)();
    // Through a plain pointer: the platform's generic procedure type matches no real signature.
    void* const procedure =
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetNtGlobalFlags"));
    const auto read = reinterpret_cast<GlobalFlags>(procedure);
    return read && (read() & heapChecks) == heapChecks;
}

bool requestFilledHeap() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = std::strrchr(path, '\\');
    const std::string key =
        std::string("Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\") +
        (name ? name + 1 : path);
    HKEY options = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &options,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const bool stored =
        RegSetValueExA(options, "GlobalFlag", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&heapChecks),
                       sizeof(heapChecks)) == ERROR_SUCCESS;
    RegCloseKey(options);
    return stored;
}

} // namespace

int main(int argc, char** argv) {
    const bool child = argc >= 2 && std::strcmp(argv[1], childOption) == 0;
    if (!child && !freedMemoryFilled() && requestFilledHeap()) {
        return kwtest::runThisProgramAgain(childOption, argc, argv);
    }
    if (!freedMemoryFilled()) {
        // Without the right to set the option (a user without administrator rights on Windows).
        std::printf("deletion tests: freed memory is not filled in this run\n");
    }
    return kwtest::runAllTests(&argc, argv);
}
