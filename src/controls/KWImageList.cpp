#include "KWImageList.h"

#include "core/DeletionWatch.h"
#include "core/WideText.h"

#include <new>

namespace KW {

KWImageList* KWImageList::create(int width, int height) {
    return new (std::nothrow) KWImageList(width, height);
}

KWImageList::KWImageList(int width, int height)
    : handle(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 2, 0)) {
    if (!handle) {
        MessageBoxA(nullptr, "Failed to Create ImageList", "WK_Error", MB_OK);
    }
}

KWImageList::~KWImageList() {
    DeletionWatch::imageListDeleted(this);
    if (handle) {
        ImageList_Destroy(handle);
    }
}

int KWImageList::addImage(const std::string& path) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(nullptr, text::wide(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!bitmap) {
        MessageBoxA(nullptr, "Failed to Load image", "WK_Error", MB_OK);
    }
    const int first = ImageList_AddMasked(handle, bitmap, RGB(255, 0, 255));
    if (bitmap) {
        DeleteObject(bitmap);
    }
    return first;
}

} // namespace KW
