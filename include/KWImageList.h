#ifndef KW_IMAGE_LIST_H
#define KW_IMAGE_LIST_H

#include "KWTypes.h"

#include <commctrl.h>
#include <string>

namespace KW {

/// A list of images of one size, filled from bitmap files with magenta (255, 0, 255) transparent.
/// Toolbars, tabs, tree views and property grids read its handle. The library never frees it; the
/// client may delete it at any time, and every gadget showing it is then left without an image list.
class KW_API KWImageList {
public:
    /// An empty list of width x height images with 32-bit colour and a mask; never freed by the library.
    static KWImageList* create(int width, int height);
    /// Takes the list off every toolbar, tab, tree view and property grid showing it, then frees it.
    ~KWImageList();

    /// Adds every image-wide strip of the bitmap, left to right; the index of the first, or -1.
    int addImage(const std::string& path);

    /// The platform image list, null when it could not be created.
    HIMAGELIST handle;

private:
    KWImageList(int width, int height);
    KWImageList(const KWImageList&) = delete;
    KWImageList& operator=(const KWImageList&) = delete;
};

} // namespace KW

#endif
