// The open button's dialogs: the file-open dialog and the folder browser.
#include "KWOpenButton.h"

#include "controls/PostedReport.h"

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
    std::string filterList = filter;
    filterList.append(2, '\0');
    char path[260] = {};

    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = buttonHandle;
    dialog.lpstrFilter = filterList.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof(path);
    dialog.lpstrTitle = "Open...";
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (GetOpenFileNameA(&dialog) != TRUE) {
        return false;
    }
    SetWindowTextA(editHandle, path);
    return true;
}

bool KWOpenButton::openFolder() {
    // The new dialog style needs COM on this thread; a thread that already has it keeps its own.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    BROWSEINFOA browse = {};
    browse.hwndOwner = buttonHandle;
    browse.lpszTitle = "Please Select a Folder...";
    browse.ulFlags = BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE folder = SHBrowseForFolderA(&browse);
    bool chosen = false;
    if (folder) {
        char path[MAX_PATH] = {};
        // A virtual folder (no file-system path) leaves the shown path as it was.
        if (SHGetPathFromIDListA(folder, path)) {
            SetWindowTextA(editHandle, path);
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
