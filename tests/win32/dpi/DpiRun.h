#ifndef KW_DPI_RUN_H
#define KW_DPI_RUN_H

#include <KW.h>

#include <string>

// Under Wine the DPI test program runs its tests once per display DPI: the first process sets the
// prefix's LogPixels, starts itself again for each DPI and restores the setting; each child runs the
// tests. On Windows it runs them once, at the display's DPI.
namespace kwtest {

// The DPI this run was started for.
int runDpi();
// A length given at 96 DPI, at runDpi(), rounded as the library rounds.
int atRunDpi(int pixelsAt96);
// Sends a top-level frame WM_DPICHANGED as the platform does when it moves to a display of newDpi,
// suggesting its size scaled by the ratio of the DPIs, and dispatches what follows.
void moveToDpi(KW::KWWindow* frame, int newDpi);
// The pixel height of the font a window shows.
int fontHeight(HWND window);
// The size a one-line text takes in a font.
SIZE textExtent(HFONT font, const std::string& text);

} // namespace kwtest

// Checks a measured metric against its value at 96 scaled to the run's DPI: exact at 96, within one
// pixel elsewhere.
#define EXPECT_SCALED(measured, pixelsAt96)                                                                  \
    do {                                                                                                     \
        const int expectedAtDpi = kwtest::atRunDpi(pixelsAt96);                                              \
        if (kwtest::runDpi() == 96) {                                                                        \
            EXPECT_EQ(expectedAtDpi, (measured));                                                            \
        } else {                                                                                             \
            EXPECT_NEAR(expectedAtDpi, (measured), 1) << "at " << kwtest::runDpi() << " DPI";                \
        }                                                                                                    \
    } while (0)

#endif
