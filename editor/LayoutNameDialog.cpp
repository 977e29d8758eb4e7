#include "LayoutNameDialog.h"

#include "CodePage.h"
#include "DialogTemplate.h"
#include "logic/NamedLayouts.h"

namespace pelmora {

namespace {

const int kNameField = 100;

INT_PTR CALLBACK dialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        const std::string* name = reinterpret_cast<const std::string*>(lParam);
        SetDlgItemTextW(dialog, kNameField, wideFromProgram(*name).c_str());
        SendDlgItemMessageW(dialog, kNameField, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dialog, kNameField));
        return FALSE; // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            std::wstring typed(
                static_cast<std::size_t>(GetWindowTextLengthW(GetDlgItem(dialog, kNameField))) + 1, L'\0');
            GetDlgItemTextW(dialog, kNameField, &typed[0], static_cast<int>(typed.size()));
            typed.resize(wcslen(typed.c_str()));
            const std::string name = programFromWide(typed);
            if (!isLayoutName(name)) {
                MessageBeep(MB_ICONWARNING);
                SetFocus(GetDlgItem(dialog, kNameField));
                return TRUE;
            }
            *reinterpret_cast<std::string*>(GetWindowLongPtrW(dialog, DWLP_USER)) = name;
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

} // namespace

bool askLayoutName(HWND owner, std::string& name) {
    DialogTemplate layout(L"Save Layout As", 220, 62);
    layout.item(L"STATIC", L"Layout &name:", 0xFFFF, SS_LEFT, 7, 9, 60, 8);
    layout.item(L"EDIT", L"", kNameField, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 70, 7, 143, 13);
    layout.item(L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 109, 40, 50, 14);
    layout.item(L"BUTTON", L"Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 163, 40, 50, 14);
    std::string typed = name;
    if (DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout.get(), owner, dialogProc,
                                reinterpret_cast<LPARAM>(&typed)) != IDOK) {
        return false;
    }
    name = typed;
    return true;
}

} // namespace pelmora
