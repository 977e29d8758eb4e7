#ifndef KW_OPEN_BUTTON_H
#define KW_OPEN_BUTTON_H

#include "KWObject.h"

#include <string>

namespace KW {

/// A path field: a read-only edit with a "..." button at its right end, inside a "KWPANEL" container.
/// The button opens the file-open dialog (with the filter given at creation) or the folder browser; the
/// chosen path replaces the edit's text, which getText returns. The handler gets EVENT_CHANGED with the
/// gadget's id once a path was chosen in the dialog; a cancelled dialog reports nothing.
class KW_API KWOpenButton : public KWObject {
public:
    /// style is ignored. filter is in the file dialog's format: pairs of a description and a pattern
    /// list, each ended by a NUL, the whole ended by an empty string (build the std::string with an
    /// explicit length so the NULs survive). Null without a parent, after an error message.
    static KWOpenButton* create(eStyles style, const std::string& filter, int x, int y, int width, int height,
                                bool selectFile, KWObject* parent, int id);
    ~KWOpenButton() override;

    /// Runs the file dialog (selectFile) or the folder browser; a chosen path replaces the edit's text,
    /// a cancelled dialog changes nothing. The handler learns of the chosen path once control is back in
    /// the message loop.
    void open();

    /// The path shown, at most 149 characters.
    std::string getText() const override;
    /// Shows path in the field, as if it had been chosen (setText names the container, as for every
    /// gadget). A change by the program: the handler is not called.
    void setPath(const std::string& path);
    /// Edges; turned into position-and-size in place. The edit fills the cell up to a square "..."
    /// button as high as the cell at its right end.
    void setPlacement(KWBound& bound) override;

protected:
    /// A click of the "..." button opens the dialog.
    void controlNotified(int code) override;

private:
    KWOpenButton(const std::string& filter, int x, int y, int width, int height, bool selectFile,
                 KWObject* parent, int id);

    /// The container's procedure: the default handling, plus the report of a chosen path.
    static LRESULT CALLBACK KWOpenButtonCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    /// True when a path was chosen and shown.
    bool openFile();
    bool openFolder();

    std::string filter;
    bool selectFile;
    HWND buttonHandle;
    HWND editHandle;
};

} // namespace KW

#endif
