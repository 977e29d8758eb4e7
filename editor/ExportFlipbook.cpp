#include "ExportFlipbook.h"

#include "DialogTemplate.h"

#include "logic/FilePaths.h"

#include <commdlg.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace pelmora {

namespace {

const char* const kTitle = "Export Flipbook";
const int kFieldSize = 101;
const int kFieldFrames = 102;
const int kFieldRate = 103;
const int kChoiceFit = 104;
const int kChoiceScale = 105;
const int kFieldScale = 106;

// The scale field takes typing only while a fixed scale is chosen.
void showFramingChoice(HWND dialog) {
    EnableWindow(GetDlgItem(dialog, kFieldScale), IsDlgButtonChecked(dialog, kChoiceScale) == BST_CHECKED);
}

std::string scaleText(float zoom) {
    char text[32];
    std::snprintf(text, sizeof(text), "%g", static_cast<double>(zoom));
    return text;
}

bool readScale(const char* text, float& zoom) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0') {
        return false;
    }
    zoom = static_cast<float>(value);
    return true;
}

INT_PTR CALLBACK settingsProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    FlipbookSettings* settings =
        reinterpret_cast<FlipbookSettings*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    switch (msg) {
    case WM_INITDIALOG:
        settings = reinterpret_cast<FlipbookSettings*>(lParam);
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        SetDlgItemInt(dialog, kFieldSize, static_cast<UINT>(settings->size), FALSE);
        SetDlgItemInt(dialog, kFieldFrames, static_cast<UINT>(settings->frames), FALSE);
        SetDlgItemInt(dialog, kFieldRate, static_cast<UINT>(settings->rate), FALSE);
        CheckRadioButton(dialog, kChoiceFit, kChoiceScale,
                         settings->framing == Framing::Fit ? kChoiceFit : kChoiceScale);
        SetDlgItemTextA(dialog, kFieldScale, scaleText(settings->zoom).c_str());
        showFramingChoice(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == kChoiceFit || LOWORD(wParam) == kChoiceScale) {
            showFramingChoice(dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDOK) {
            BOOL read[3] = {};
            FlipbookSettings chosen = *settings;
            chosen.size = static_cast<int>(GetDlgItemInt(dialog, kFieldSize, &read[0], FALSE));
            chosen.frames = static_cast<int>(GetDlgItemInt(dialog, kFieldFrames, &read[1], FALSE));
            chosen.rate = static_cast<double>(GetDlgItemInt(dialog, kFieldRate, &read[2], FALSE));
            chosen.framing =
                IsDlgButtonChecked(dialog, kChoiceFit) == BST_CHECKED ? Framing::Fit : Framing::Scale;
            char scale[32] = {};
            GetDlgItemTextA(dialog, kFieldScale, scale, sizeof(scale));
            const bool scaleRead = chosen.framing == Framing::Fit || readScale(scale, chosen.zoom);
            std::string problem = !(read[0] && read[1] && read[2]) ? "every field needs a whole number"
                                  : !scaleRead                     ? "the scale needs a number"
                                                                   : checkSettings(chosen, true);
            if (!problem.empty()) {
                problem[0] = static_cast<char>(toupper(static_cast<unsigned char>(problem[0])));
                MessageBoxA(dialog, (problem + ".").c_str(), kTitle, MB_OK | MB_ICONWARNING);
                return TRUE;
            }
            *settings = chosen;
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

// The effect file's name with .png for the extension; "flipbook.png" for an effect never saved.
std::string suggestedName(const std::string& effectPath) {
    std::string name = fileNameOf(effectPath);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return (name.empty() ? std::string("flipbook") : name) + ".png";
}

void showError(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), kTitle, MB_OK | MB_ICONERROR);
}

} // namespace

bool askFlipbookSettings(HWND owner, FlipbookSettings& settings) {
    DialogTemplate dialog(L"Export Flipbook", 170, 128);
    const struct {
        const wchar_t* label;
        WORD id;
    } fields[] = {{L"Frame &size (pixels):", kFieldSize},
                  {L"&Frames:", kFieldFrames},
                  {L"Frame &rate (per second):", kFieldRate}};
    short y = 8;
    for (const auto& field : fields) {
        dialog.item(L"STATIC", field.label, 0xFFFF, SS_LEFT, 8, static_cast<short>(y + 2), 100, 9);
        dialog.item(L"EDIT", L"", field.id, WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, 112, y, 48,
                    13);
        y = static_cast<short>(y + 18);
    }
    dialog.item(L"BUTTON", L"Fi&t the effect in each frame", kChoiceFit,
                BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 8, y, 152, 12);
    dialog.item(L"BUTTON", L"Fi&xed scale (pixels per unit):", kChoiceScale, BS_AUTORADIOBUTTON, 8,
                static_cast<short>(y + 16), 104, 12);
    dialog.item(L"EDIT", L"", kFieldScale, WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, 112,
                static_cast<short>(y + 16), 48, 13);
    dialog.item(L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 56, 106, 50, 14);
    dialog.item(L"BUTTON", L"Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 110, 106, 50, 14);
    return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog.get(), owner, settingsProc,
                                   reinterpret_cast<LPARAM>(&settings)) == IDOK;
}

std::string exportFlipbook(HWND owner, const editor::Scene& scene, const std::string& effectPath) {
    static FlipbookSettings settings; // the last choice is offered again
    if (!askFlipbookSettings(owner, settings)) {
        return std::string();
    }
    char file[MAX_PATH] = {};
    lstrcpynA(file, suggestedName(effectPath).c_str(), sizeof(file));
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "PNG images (*.png)\0*.png\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof(file);
    dialog.lpstrDefExt = "png";
    dialog.lpstrTitle = kTitle;
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    // Beside the effect, rather than in the program's working folder.
    const std::string folder = folderOf(effectPath);
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    if (!GetSaveFileNameA(&dialog)) {
        return std::string();
    }

    const LoadResult effect = Effect::make(scene.describe(), folderOf(effectPath));
    if (!effect) {
        showError(owner, "The effect cannot be exported:\n\n" + effect.error());
        return std::string();
    }
    std::string error;
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    const bool written = writeSheet(*effect, settings, file, error);
    SetCursor(previous);
    if (!written) {
        showError(owner, "The flipbook was not written:\n\n" + error);
        return std::string();
    }
    return file;
}

} // namespace pelmora
