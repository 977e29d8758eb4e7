#include "logic/FilePaths.h"

#include <gtest/gtest.h>

using namespace pelmora;

// A texture in the effect's folder or below it is kept relative, so effect and textures move together.
TEST(FilePaths, TextureReferenceIsRelativeInsideTheEffectsFolder) {
    const struct {
        const char* path;
        const char* folder;
        const char* expected;
    } cases[] = {
        {"C:\\fx\\spark.png", "C:\\fx", "spark.png"},
        {"c:\\FX\\tex\\smoke.png", "C:\\fx", "tex/smoke.png"},
        {"C:\\fx2\\spark.png", "C:\\fx", "C:\\fx2\\spark.png"}, // a folder whose name only starts alike
        {"D:\\art\\spark.png", "C:\\fx", "D:\\art\\spark.png"},
        {"C:\\fx\\spark.png", "", "C:\\fx\\spark.png"}, // an effect never saved
        {"/home/a/fx/spark.png", "/home/a/fx", "spark.png"},
        {"C:\\fx\\", "C:\\fx", "C:\\fx\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, textureReference(c.path, c.folder)) << c.path;
    }
}

// Saving elsewhere keeps every texture reachable: relative from the new folder, absolute across roots.
TEST(FilePaths, RebasedTextureReferenceReachesTheSameFileFromTheNewFolder) {
    const struct {
        const char* reference;
        const char* oldFolder;
        const char* newFolder;
        const char* expected;
    } cases[] = {
        {"textures/fire.png", "C:\\fx", "c:\\FX", "textures/fire.png"},                      // same folder
        {"textures/fire.png", "C:\\fx", "C:\\fx\\saved", "../textures/fire.png"},            // subfolder
        {"textures/fire.png", "C:\\fx", "C:\\work", "../fx/textures/fire.png"},              // sibling
        {"../art/fire.png", "C:\\fx\\a", "C:\\fx", "art/fire.png"},                          // up and back
        {"textures/fire.png", "C:\\fx", "D:\\fx", "C:\\fx\\textures\\fire.png"},             // other drive
        {"textures/fire.png", "C:\\fx", "\\\\srv\\share\\fx", "C:\\fx\\textures\\fire.png"}, // to UNC
        {"fire.png", "\\\\srv\\share\\fx", "\\\\srv\\share\\b", "../fx/fire.png"},           // on one share
        {"fire.png", "\\\\srv\\share\\fx", "\\\\srv\\other\\fx", "\\\\srv\\share\\fx\\fire.png"},
        {"fire.png", "/home/a/fx", "/home/b", "../a/fx/fire.png"},
        {"D:\\art\\fire.png", "C:\\fx", "E:\\b", "D:\\art\\fire.png"}, // absolute stays
        {"fire.png", "", "C:\\fx", "fire.png"},                        // never saved
        {"", "C:\\fx", "D:\\b", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, rebasedTextureReference(c.reference, c.oldFolder, c.newFolder))
            << c.reference << " from " << c.oldFolder << " to " << c.newFolder;
    }
}
