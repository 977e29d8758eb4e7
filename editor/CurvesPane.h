#ifndef PELMORA_CURVES_PANE_H
#define PELMORA_CURVES_PANE_H

#include "logic/EditorDocument.h"

#include <KW.h>

#include <functional>
#include <string>
#include <vector>

namespace pelmora {

// The selected emitter's (or sub-emitter's) size, colour and speed over life, each in a tab of its own. The
// only place where the emitter's keys become the editors' points and back: a drag's steps reach the document
// as steps of one edit, and the editors take the document's keys when the selection or the keys change by
// other means.
class CurvesPane {
public:
    typedef std::function<void(const std::string& reason)> Refuse;

    CurvesPane(KW::KWHeader* pane, KW::KWWindow* window, editor::EditorDocument& document, Refuse refuse);
    ~CurvesPane();

    KW::KWFloatGraph* getSizeCurve() const { return sizeCurve; }
    KW::KWColorEdit* getColorRamp() const { return colorRamp; }
    KW::KWFloatGraph* getSpeedCurve() const { return speedCurve; }
    // Fits the editors' views to their keys.
    void frameKeys();

    static std::vector<KW::KWGraphPoint> graphPoints(const std::vector<SizeKey>& keys);
    static std::vector<SizeKey> sizeKeys(const std::vector<KW::KWGraphPoint>& points);
    static std::vector<KW::KWColorPoint> colorPoints(const std::vector<ColorKey>& keys);
    static std::vector<ColorKey> colorKeys(const std::vector<KW::KWColorPoint>& points);

private:
    void edit(const editor::Edit& edit, bool finished);
    void show();

    editor::EditorDocument& document;
    Refuse refuse;
    KW::KWFloatGraph* sizeCurve;
    KW::KWColorEdit* colorRamp;
    KW::KWFloatGraph* speedCurve;
    bool applying = false; // an edit of ours is on its way: the editors already show it
    int listener;
};

} // namespace pelmora

#endif
