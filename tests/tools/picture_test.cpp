#include <gtest/gtest.h>

#include <string>

#include "gfx/png_samples.h"
#include "support/temp_folder.h"
#include "support/tool_run.h"

#ifdef ZD_TOOL

TEST(PictureCommand, PrintsTheSizeAndWritesTopRowFirst) {
    TempFolder folder;
    const Bytes rows = {0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 9, 10, 11, 12, 13, 14, 15, 16};
    folder.write("two.png", PngBuilder().header(2, 2, 8, 6).data(rows).end().bytes());
    const std::string png = folder.path() + "two.png";

    ToolRun run = runTool(folder, "picture '" + png + "'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, png + ": 2 x 2\n");

    run = runTool(folder, "picture '" + png + "' -o '" + folder.path() + "two.pam'");
    EXPECT_EQ(run.status, 0);
    std::string expected = "P7\nWIDTH 2\nHEIGHT 2\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    for (char byte = 1; byte <= 16; ++byte) expected += byte;
    EXPECT_EQ(folder.read("two.pam"), expected);
}

TEST(PictureCommand, ReportsTheDecoderErrorAndUsage) {
    TempFolder folder;
    folder.write("bad.png", std::string("GIF89a"));
    const std::string bad = folder.path() + "bad.png";
    ToolRun run = runTool(folder, "picture '" + bad + "' -o '" + folder.path() + "bad.pam'");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, bad + ": error 4: not a PNG file (signature wrong)\n");
    EXPECT_EQ(folder.read("bad.pam"), "");  // nothing written

    run = runTool(folder, "picture '" + folder.path() + "none.png'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find(": error 2: file cannot be opened"), std::string::npos);

    EXPECT_EQ(runTool(folder, "picture").status, 2);
    EXPECT_EQ(runTool(folder, "picture a.png -x b.pam").status, 2);
}

#endif
