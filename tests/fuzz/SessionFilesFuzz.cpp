// Any bytes as a settings file and as a recovery file: never a crash, a refusal says why, and settings
// that are accepted survive being written and read again.
#include "FuzzRequire.h"
#include "logic/Recovery.h"
#include "logic/Settings.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace pelmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Settings settings;
    std::string error;
    if (readSettings(text, settings, error)) {
        Settings again;
        require(readSettings(settingsText(settings), again, error));
        require(again.layout == settings.layout && again.theme == settings.theme &&
                again.recentFiles.size() == settings.recentFiles.size());
    } else {
        require(!error.empty());
    }
    RecoveryInfo info;
    std::string effectText;
    error.clear();
    require(readRecovery(text, info, effectText, error) || !error.empty());
    return 0;
}
