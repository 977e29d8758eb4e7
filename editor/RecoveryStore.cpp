#include "RecoveryStore.h"

#include "AtomicSave.h"
#include "CodePage.h"
#include "UserFiles.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace pelmora {

namespace {

// A recovery file is one effect and a few lines.
const std::size_t kMaxRecoveryBytes = 32 * 1024 * 1024;

std::uint64_t ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::uint64_t creationTime(HANDLE process) {
    FILETIME created = {}, exited = {}, kernel = {}, user = {};
    return GetProcessTimes(process, &created, &exited, &kernel, &user) ? ticks(created) : 0;
}

// Whether the process that wrote a file still runs: one that has ended, or another one that was given
// its id later, does not count.
bool stillRuns(const RecoveryInfo& writer) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, writer.pid);
    if (!process) {
        // Before Vista only the full right exists.
        process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, writer.pid);
    }
    if (!process) {
        return false;
    }
    DWORD code = 0;
    const bool runs =
        GetExitCodeProcess(process, &code) && code == STILL_ACTIVE && creationTime(process) == writer.started;
    CloseHandle(process);
    return runs;
}

} // namespace

RecoveryStore::RecoveryStore() : folder(recoveryFolder()) {
    own.pid = GetCurrentProcessId();
    own.started = creationTime(GetCurrentProcess());
}

bool RecoveryStore::write(const std::string& effectText, const std::string& original) {
    RecoveryInfo info = own;
    info.original = utf8FromProgram(original);
    std::string text, error;
    return !folder.empty() && recoveryText(info, effectText, text) &&
           saveAtomically(folder + "\\" + recoveryFileName(own), text, error);
}

void RecoveryStore::remove() {
    if (!folder.empty()) {
        discard(folder + "\\" + recoveryFileName(own));
    }
}

std::vector<RecoveryStore::LeftWork> RecoveryStore::abandoned() const {
    std::vector<std::pair<std::uint64_t, LeftWork>> found;
    WIN32_FIND_DATAW entry = {};
    HANDLE search = folder.empty() ? INVALID_HANDLE_VALUE
                                   : FindFirstFileW(wideFromProgram(folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return {};
    }
    do {
        const std::string name = programFromWide(entry.cFileName);
        const std::string path = folder + "\\" + name;
        std::string text, effectText, error;
        RecoveryInfo named, writer;
        if (parseRecoveryFileName(name, named) && readWholeFile(path, kMaxRecoveryBytes, text) &&
            readRecovery(text, writer, effectText, error) && !stillRuns(writer)) {
            found.push_back({ticks(entry.ftLastWriteTime), {path, programFromUtf8(writer.original)}});
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::stable_sort(found.begin(), found.end(),
                     [](const std::pair<std::uint64_t, LeftWork>& a,
                        const std::pair<std::uint64_t, LeftWork>& b) { return a.first > b.first; });
    std::vector<LeftWork> files;
    for (const auto& left : found) {
        files.push_back(left.second);
    }
    return files;
}

bool RecoveryStore::take(const std::string& file, std::string& taken, std::string& original,
                         editor::Scene& scene, std::string& error) {
    // The move succeeds for one process only, so two starting at once cannot both recover the work.
    taken = file + ".taken-" + std::to_string(own.pid);
    if (!MoveFileExW(wideFromProgram(file).c_str(), wideFromProgram(taken).c_str(), 0)) {
        error = "Another Pelmora window has recovered this work already.";
        return false;
    }
    std::string text, effectText;
    RecoveryInfo writer;
    if (!readWholeFile(taken, kMaxRecoveryBytes, text) || !readRecovery(text, writer, effectText, error) ||
        !readEffectText(effectText, scene, error)) {
        MoveFileExW(wideFromProgram(taken).c_str(), wideFromProgram(file).c_str(), 0);
        error = "Cannot read the recovered work in " + file + (error.empty() ? "" : ": " + error);
        return false;
    }
    original = programFromUtf8(writer.original);
    return true;
}

void RecoveryStore::discard(const std::string& file) {
    DeleteFileW(wideFromProgram(file).c_str());
}

} // namespace pelmora
