// The Direct3D 11 example with --watch picks up a saved edit while it plays, and keeps playing the last good
// effect when a save does not read.
#include <pelmora/Runtime.h>

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string readAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeAll(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Waits up to five seconds for the text in the output file.
bool printed(const std::string& output, const std::string& text) {
    for (int i = 0; i < 50; ++i) {
        if (readAll(output).find(text) != std::string::npos) {
            return true;
        }
        Sleep(100);
    }
    return false;
}

} // namespace

TEST(D3D11Example, WatchReloadsASavedEditAndKeepsTheLastGoodEffect) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string effectPath = std::string(folder) + "pelmora_watch.kwfx";
    const std::string outputPath = std::string(folder) + "pelmora_watch.txt";
    const pelmora::LoadResult campfire = pelmora::Effect::load(std::string(KW_EXAMPLES) + "/campfire.kwfx");
    ASSERT_TRUE(campfire) << campfire.error();
    writeAll(effectPath, campfire->toJson());

    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(output, INVALID_HANDLE_VALUE);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    std::string command = "runtime_d3d11.exe \"" + effectPath + "\" --watch";
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                               &process));
    CloseHandle(output);
    ASSERT_TRUE(printed(outputPath, "playing"));
    Sleep(300); // a save in the same tick as the start could look unchanged

    std::vector<pelmora::SystemDesc> systems = campfire->systems();
    systems[0].groups[0].emitters[0].rate = 20.0f;
    writeAll(effectPath, pelmora::Effect::make(systems)->toJson());
    EXPECT_TRUE(printed(outputPath, "reloaded at"));
    writeAll(effectPath, "{ \"format\": \"pelmora-effect\", ");
    EXPECT_TRUE(printed(outputPath, "line 1, column"));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)); // still playing

    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DeleteFileA(effectPath.c_str());
    DeleteFileA(outputPath.c_str());
}
