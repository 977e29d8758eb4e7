#include "logic/Settings.h"

#include "logic/NamedLayouts.h"
#include "logic/RecentFiles.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace pelmora {

namespace {

typedef nlohmann::ordered_json Json;

const char* const kFormat = "pelmora-settings";
const int kVersion = 1;
// Longer than any path Windows takes, even in UTF-8.
const std::size_t kMaxPathBytes = 3 * 32767;

bool plausiblePath(const std::string& text) {
    return !text.empty() && text.size() <= kMaxPathBytes &&
           std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// The text at key, when it is text that passes the check.
bool textAt(const Json& root, const char* key, bool (*valid)(const std::string&), std::string& value) {
    const auto found = root.find(key);
    if (found == root.end() || !found->is_string() || !valid(found->get<std::string>())) {
        return false;
    }
    value = found->get<std::string>();
    return true;
}

} // namespace

bool isThemeName(const std::string& name) {
    return name == "light" || name == "dark" || name == "system";
}

std::string settingsText(const Settings& settings) {
    Json root;
    root["format"] = kFormat;
    root["version"] = kVersion;
    root["layout"] = settings.layout;
    root["theme"] = settings.theme;
    root["lastFolder"] = settings.lastFolder;
    root["recentFiles"] = settings.recentFiles;
    Json layouts = Json::array();
    for (const NamedLayout& named : settings.layouts) {
        layouts.push_back(Json{{"name", named.name}, {"layout", named.layout}});
    }
    root["layouts"] = layouts;
    root["layoutLocked"] = settings.layoutLocked;
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

bool readSettings(const std::string& text, Settings& settings, std::string& error) {
    settings = Settings();
    if (text.size() > kMaxSettingsBytes) {
        error = "the file is larger than " + std::to_string(kMaxSettingsBytes) + " bytes";
        return false;
    }
    const Json root = Json::parse(text, nullptr, false);
    if (root.is_discarded() || !root.is_object()) {
        error = root.is_discarded() ? "the text is not JSON" : "the text is not a JSON object";
        return false;
    }
    const auto format = root.find("format");
    if (format == root.end() || *format != kFormat) {
        error = std::string("the format is not \"") + kFormat + "\"";
        return false;
    }
    // A later version's file: what this one knows is read, the rest ignored.
    textAt(root, "layout", isLayoutText, settings.layout);
    textAt(root, "theme", isThemeName, settings.theme);
    textAt(root, "lastFolder", plausiblePath, settings.lastFolder);
    const auto recent = root.find("recentFiles");
    if (recent != root.end() && recent->is_array()) {
        std::vector<std::string> paths;
        for (const Json& entry : *recent) {
            if (entry.is_string() && plausiblePath(entry.get<std::string>())) {
                paths.push_back(entry.get<std::string>());
            }
        }
        settings.recentFiles = RecentFiles(paths).items();
    }
    const auto layouts = root.find("layouts");
    if (layouts != root.end() && layouts->is_array()) {
        for (const Json& entry : *layouts) {
            NamedLayout named;
            if (entry.is_object() && textAt(entry, "name", isLayoutName, named.name) &&
                textAt(entry, "layout", isLayoutText, named.layout)) {
                keepLayout(settings.layouts, named);
            }
        }
    }
    const auto locked = root.find("layoutLocked");
    settings.layoutLocked = locked != root.end() && locked->is_boolean() && locked->get<bool>();
    return true;
}

} // namespace pelmora
