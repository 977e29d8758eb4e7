#ifndef PELMORA_RECOVERY_H
#define PELMORA_RECOVERY_H

#include <cstdint>
#include <string>

namespace pelmora {

// Who wrote a recovery file and for which effect file.
struct RecoveryInfo {
    // The writing process: its id and its creation time (100 ns units), which tell it from a later
    // process that was given the same id.
    std::uint32_t pid = 0;
    std::uint64_t started = 0;
    // The effect file the work belongs to; empty for an untitled effect.
    std::string original;
};

// "recovery-<pid>-<started>.json": each process writes its own file, and a later process given the
// same id writes another one.
std::string recoveryFileName(const RecoveryInfo& writer);
// Whether the name is one that recoveryFileName gives, and for which process (pid and started).
bool parseRecoveryFileName(const std::string& name, RecoveryInfo& writer);

// The recovery file's text: the information and the effect file's text (JSON) in one JSON object, so
// that one atomic write replaces both. False when the effect text is not JSON.
bool recoveryText(const RecoveryInfo& info, const std::string& effectText, std::string& text);
// Reads a recovery file's text; the effect's text comes back as effect file text. False, with error
// saying why, when the text is not a recovery file.
bool readRecovery(const std::string& text, RecoveryInfo& info, std::string& effectText, std::string& error);

} // namespace pelmora

#endif
