#include "logic/Recovery.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdlib>

namespace pelmora {

namespace {

typedef nlohmann::ordered_json Json;

const char* const kFormat = "pelmora-recovery";
const char* const kPrefix = "recovery-";
const char* const kSuffix = ".json";

} // namespace

namespace {

// A decimal number without leading zeros, at most max.
bool parseNumber(const std::string& digits, std::uint64_t max, std::uint64_t& value) {
    if (digits.empty() || digits.size() > 20 || digits.find_first_not_of("0123456789") != std::string::npos ||
        (digits.size() > 1 && digits[0] == '0')) {
        return false;
    }
    errno = 0;
    const unsigned long long number = std::strtoull(digits.c_str(), nullptr, 10);
    if (errno == ERANGE || number > max) {
        return false;
    }
    value = number;
    return true;
}

} // namespace

std::string recoveryFileName(const RecoveryInfo& writer) {
    return kPrefix + std::to_string(writer.pid) + "-" + std::to_string(writer.started) + kSuffix;
}

bool parseRecoveryFileName(const std::string& name, RecoveryInfo& writer) {
    const std::string prefix = kPrefix, suffix = kSuffix;
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    const std::string numbers = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const std::size_t dash = numbers.find('-');
    std::uint64_t pid = 0, started = 0;
    if (dash == std::string::npos || !parseNumber(numbers.substr(0, dash), 0xffffffffull, pid) ||
        !parseNumber(numbers.substr(dash + 1), ~0ull, started)) {
        return false;
    }
    writer.pid = static_cast<std::uint32_t>(pid);
    writer.started = started;
    return true;
}

bool recoveryText(const RecoveryInfo& info, const std::string& effectText, std::string& text) {
    const Json effect = Json::parse(effectText, nullptr, false);
    if (effect.is_discarded()) {
        return false;
    }
    Json root;
    root["format"] = kFormat;
    root["pid"] = info.pid;
    root["started"] = info.started;
    root["original"] = info.original;
    root["effect"] = effect;
    text = root.dump(1, '\t', false, Json::error_handler_t::replace) + "\n";
    return true;
}

bool readRecovery(const std::string& text, RecoveryInfo& info, std::string& effectText, std::string& error) {
    const Json root = Json::parse(text, nullptr, false);
    if (root.is_discarded() || !root.is_object() || root.value("format", Json()) != kFormat) {
        error = "this is not a recovery file";
        return false;
    }
    const Json pid = root.value("pid", Json()), started = root.value("started", Json()),
               original = root.value("original", Json()), effect = root.value("effect", Json());
    if (!pid.is_number_unsigned() || pid.get<std::uint64_t>() > 0xffffffffull ||
        !started.is_number_unsigned() || !original.is_string() || !effect.is_object()) {
        error = "the recovery file lacks its process, its file path or its effect";
        return false;
    }
    info.pid = static_cast<std::uint32_t>(pid.get<std::uint64_t>());
    info.started = started.get<std::uint64_t>();
    info.original = original.get<std::string>();
    effectText = effect.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    return true;
}

} // namespace pelmora
