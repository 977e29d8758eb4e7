#include "CodePage.h"

#include "logic/SceneText.h"

#include <windows.h>

using pelmora::editor::Scene;

namespace pelmora {

namespace {

std::wstring toWide(const std::string& text, UINT codePage) {
    const int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

// False when a character has no form in the code page; it is written as the code page's default
// character. Best-fit look-alikes would change a name without saying so.
bool fromWide(const std::wstring& wide, UINT codePage, std::string& text) {
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL lost = FALSE;
    BOOL* lostOut = utf8 ? nullptr : &lost; // UTF-8 has a form for every character and takes no flag
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, lostOut);
    text.assign(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, &text[0], length, nullptr, lostOut);
    return !lost;
}

bool programUsesUtf8() {
    return GetACP() == CP_UTF8;
}

// An emitter's name and texture path, and its sub-emitters' all the way down.
template <typename Convert> void convertEmitter(EmitterDesc& values, Convert& convert) {
    values.name = convert(values.name);
    values.texture = convert(values.texture);
    for (SubEmitter& sub : values.subEmitters) {
        convertEmitter(sub.emitter, convert);
    }
}

// Converts every name and texture path; false when one of them could not be kept whole.
bool convertTexts(Scene& scene, UINT from, UINT to) {
    bool whole = true;
    auto convert = [&](std::string text) {
        whole = fromWide(toWide(text, from), to, text) && whole;
        return text;
    };
    const std::vector<editor::System> systems = scene.getSystems();
    for (const editor::System& system : systems) {
        scene.setName(system.id, convert(system.name));
        for (const editor::Group& group : system.groups) {
            scene.setName(group.id, convert(group.name));
            for (const editor::Emitter& emitter : group.emitters) {
                convertEmitter(scene.findEmitter(emitter.id)->values, convert);
            }
        }
    }
    return whole;
}

} // namespace

std::wstring wideFromProgram(const std::string& text) {
    return toWide(text, CP_ACP);
}

std::string effectFileText(const Scene& scene) {
    if (programUsesUtf8()) {
        return editor::writeScene(scene, TextEncoding::Utf8);
    }
    Scene inFile = scene;
    convertTexts(inFile, CP_ACP, CP_UTF8);
    return editor::writeScene(inFile, TextEncoding::Utf8);
}

std::string programFromWide(const std::wstring& text) {
    std::string program;
    fromWide(text, CP_ACP, program);
    return program;
}

std::string utf8FromProgram(const std::string& text) {
    std::string utf8;
    fromWide(toWide(text, CP_ACP), CP_UTF8, utf8);
    return utf8;
}

std::string programFromUtf8(const std::string& text) {
    return programFromWide(toWide(text, CP_UTF8));
}

namespace {

// The scene read from UTF-8 text in the program's code page; read says whether the reading succeeded.
bool inProgramText(bool read, const Scene& loaded, Scene& scene, std::string& error) {
    Scene converted = loaded;
    if (!read) {
        if (!programUsesUtf8()) {
            // The message may quote the file's text.
            fromWide(toWide(error, CP_UTF8), CP_ACP, error);
        }
        return false;
    }
    if (!programUsesUtf8() && !convertTexts(converted, CP_UTF8, CP_ACP)) {
        error = "a name or texture path holds a character that this program's code page (" +
                std::to_string(GetACP()) + ") cannot show";
        return false;
    }
    scene = converted;
    return true;
}

} // namespace

bool readEffectFileText(const std::string& path, Scene& scene, std::string& error) {
    const LoadResult read = Effect::load(path);
    Scene loaded = scene;
    // The message is shown under the file's name already.
    const std::string named = path + ": ";
    error =
        read.error().compare(0, named.size(), named) == 0 ? read.error().substr(named.size()) : read.error();
    return inProgramText(read && editor::sceneFromSystems(read->systems(), loaded, error), loaded, scene,
                         error);
}

bool readEffectText(const std::string& text, Scene& scene, std::string& error) {
    Scene loaded = scene;
    const bool read = editor::readScene(text, loaded, error, TextEncoding::Utf8);
    return inProgramText(read, loaded, scene, error);
}

} // namespace pelmora
