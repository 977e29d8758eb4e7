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
