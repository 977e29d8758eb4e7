#ifndef KW_OPEN_BUTTON_H
#define KW_OPEN_BUTTON_H

#include "KWObject.h"

#include <string>

namespace KW {

/// A path field: a read-only edit with a "..." button at its right end, inside a "KWPANEL" container.
/// The button opens the file-open dialog (with the filter given at creation) or the folder browser; the
/// chosen path replaces the edit's text, which getText returns.
class KW_API KWOpenButton : public KWObject {
public:
    /// style is ignored. filter is in the file dialog's format: pairs of a description and a pattern
    /// list, each ended by a NUL, the whole ended by an empty string (build the std::string with an
    /// explicit length so the NULs survive). Null without a parent, after an error message.
    static KWOpenButton* create(eStyles style, const std::string& filter, int x, int y, int width, int height,
                                bool selectFile, KWObject* parent, int id);
    ~KWOpenButton() override;

    /// Runs the file dialog (selectFile) or the folder browser; a chosen path replaces the edit's text,
    /// a cancelled dialog changes nothing.
    void open();

    /// The path shown, at most 149 characters.
    std::string getText() const override;
    /// Edges; turned into position-and-size in place. The edit fills the cell up to a square "..."
    /// button as high as the cell at its right end.
    void setPlacement(KWBound& bound) override;

private:
    KWOpenButton(const std::string& filter, int x, int y, int width, int height, bool selectFile,
                 KWObject* parent, int id);

    /// The container runs the default handling, which is all it needs; this procedure does the same and
    /// is not installed.
    static LRESULT CALLBACK KWOpenButtonCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    void openFile();
    void openFolder();

    std::string filter;
    bool selectFile;
    HWND buttonHandle;
    HWND editHandle;
};

} // namespace KW

#endif
