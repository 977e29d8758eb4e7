#include "LayoutNameDialog.h"

#include "CodePage.h"
#include "logic/NamedLayouts.h"

#include <cstdint>
#include <vector>

namespace pelmora {

namespace {

const int kNameField = 100;

// A dialog template built in memory: the header, then each item, every part on a DWORD boundary.
class DialogTemplate {
public:
    DialogTemplate(const wchar_t* caption, short width, short height, int items) {
        DLGTEMPLATE header = {};
        header.style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        header.cdit = static_cast<WORD>(items);
        header.cx = width;
        header.cy = height;
        add(&header, sizeof(header));
        word(0); // no menu
        word(0); // the standard dialog class
        text(caption);
        word(8);
        text(L"MS Shell Dlg");
    }

    void item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom,
              const wchar_t* title) {
        align();
        DLGITEMTEMPLATE entry = {};
        entry.style = style | WS_CHILD | WS_VISIBLE;
        entry.x = x;
        entry.y = y;
        entry.cx = cx;
        entry.cy = cy;
        entry.id = id;
        add(&entry, sizeof(entry));
        word(0xFFFF);
        word(classAtom);
        text(title);
        word(0); // no creation data
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes.data()); }

private:
    void add(const void* data, std::size_t size) {
        const auto* from = static_cast<const std::uint8_t*>(data);
        bytes.insert(bytes.end(), from, from + size);
    }
    void word(WORD value) { add(&value, sizeof(value)); }
    void text(const wchar_t* value) { add(value, (wcslen(value) + 1) * sizeof(wchar_t)); }
    void align() {
        while (bytes.size() % 4 != 0) {
            bytes.push_back(0);
        }
    }
    // Kept in DWORDs' alignment by the vector's allocation.
    std::vector<std::uint8_t> bytes;
};

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
    const WORD button = 0x0080, edit = 0x0081, label = 0x0082;
    DialogTemplate layout(L"Save Layout As", 220, 62, 4);
    layout.item(SS_LEFT, 7, 9, 60, 8, 0xFFFF, label, L"Layout &name:");
    layout.item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 70, 7, 143, 13, kNameField, edit, L"");
    layout.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 109, 40, 50, 14, IDOK, button, L"OK");
    layout.item(BS_PUSHBUTTON | WS_TABSTOP, 163, 40, 50, 14, IDCANCEL, button, L"Cancel");
    std::string typed = name;
    if (DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout.get(), owner, dialogProc,
                                reinterpret_cast<LPARAM>(&typed)) != IDOK) {
        return false;
    }
    name = typed;
    return true;
}

} // namespace pelmora
