// File > Export Flipbook asks for the flipbook's settings first; cancelling writes nothing and reports
// nothing. (The test support closes every dialog as it opens, which is the user's Cancel.)
#include "EditorApp.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(PelmoraExport, ExportFlipbookAsksForTheSettingsAndCancelWritesNothing) {
    pelmora::EditorApp app;
    kwtest::clearMessageBoxes();
    app.runCommand(pelmora::CommandExportFlipbook);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "Export Flipbook");
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "Frame &size (pixels):");
    EXPECT_FALSE(app.hasUnsavedChanges());
}
