// The open button's dialogs: the file-open dialog and the folder browser.
#include "KWOpenButton.h"

#include "controls/PostedReport.h"
#include "core/WideText.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

namespace KW {

void KWOpenButton::open() {
    // Without its field the gadget could not show the chosen path, so no dialog is worth opening.
    if (!editHandle) {
        return;
    }
    const bool chosen = selectFile ? openFile() : openFolder();
    if (chosen) {
        postReport(handle, EVENT_CHANGED, id);
    }
}

bool KWOpenButton::openFile() {
    // The dialog reads pairs of strings up to an empty one: two more NULs end a filter whatever its
    // ending, so a client filter short of its final NULs is never read past its end.
    std::wstring filterList = text::wide(filter);
    filterList.append(2, L'\0');
    // Room for long paths: in characters, whatever their bytes in the process's code page.
    std::wstring path(32768, L'\0');

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = buttonHandle;
    dialog.lpstrFilter = filterList.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = &path[0];
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = L"Open...";
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (GetOpenFileNameW(&dialog) != TRUE) {
        return false;
    }
    SetWindowTextW(editHandle, path.c_str());
    return true;
}

bool KWOpenButton::openFolder() {
    // The new dialog style needs COM on this thread; a thread that already has it keeps its own.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    BROWSEINFOW browse = {};
    browse.hwndOwner = buttonHandle;
    browse.lpszTitle = L"Please Select a Folder...";
    browse.ulFlags = BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE folder = SHBrowseForFolderW(&browse);
    bool chosen = false;
    if (folder) {
        wchar_t path[MAX_PATH] = {};
        // A virtual folder (no file-system path) leaves the shown path as it was.
        if (SHGetPathFromIDListW(folder, path)) {
            SetWindowTextW(editHandle, path);
            chosen = true;
        }
        CoTaskMemFree(folder);
    }

    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return chosen;
}

} // namespace KW
