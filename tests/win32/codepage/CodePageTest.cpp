// A client without the UTF-8 manifest entry: texts in its ANSI code page still go in and come out whole.
#include "TestSupport.h"

#include <KW.h>

#include <gtest/gtest.h>

#include <memory>

using namespace KW;

TEST(CodePage, AProgramWithoutTheManifestRoundTripsItsCodePagesCharacters) {
    ASSERT_NE(65001u, GetACP()) << "this program has no UTF-8 manifest";
    // The accented letters, ligature and currency sign this code page has, in its own bytes.
    std::string text;
    for (const wchar_t letter : std::wstring(L"\u00C0\u00E9\u00F1\u00FC\u00DF\u0152\u20AC")) {
        char bytes[8] = {};
        BOOL missing = FALSE;
        const int length =
            WideCharToMultiByte(CP_ACP, 0, &letter, 1, bytes, sizeof(bytes), nullptr, &missing);
        if (!missing && length > 0) {
            text.append(bytes, static_cast<std::size_t>(length));
        }
    }
    ASSERT_GE(text.size(), 3u) << "code page " << GetACP() << " has none of the sample letters";

    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 300, 200, text, nullptr, 0));
    KWEdit* edit = KWEdit::create(STYLE_DEFAULT, "", 0, 0, 90, 20, frame.get(), 1);
    edit->setText(text);
    KWTreeView* tree = KWTreeView::create(STYLE_DEFAULT, 0, 30, 90, 100, frame.get(), 2);
    const int item = tree->addItem(-1, -1, 0, text);
    EXPECT_EQ(text, frame->getText());
    EXPECT_EQ(text, edit->getText());
    EXPECT_EQ(text, tree->getItemText(item));
}
