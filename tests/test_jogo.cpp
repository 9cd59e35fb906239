// Start-up failures and the frame wait.
#include <gtest/gtest.h>

#include "tests/jogo_access.h"
#include "tests/support.h"

TEST(FrameWait, ThirtyLessTheTicksNeverNegative) {
    EXPECT_EQ(tempoDeEspera(0), 30);
    EXPECT_EQ(tempoDeEspera(1), 29);
    EXPECT_EQ(tempoDeEspera(29), 1);
    EXPECT_EQ(tempoDeEspera(30), 0);
    EXPECT_EQ(tempoDeEspera(31), 0);
    EXPECT_EQ(tempoDeEspera(100000), 0);
}

TEST(ScreenStart, WithoutAGraphicsModeWarnsAndFails) {
    test::startAllegro();
    test::TempFolder folder;
    test::makeImageSet();
    BITMAP* savedScreen = screen;  // without a display there is no screen to replace
    screen = nullptr;
    Render r;
    testing::internal::CaptureStderr();
    bool ok = r.iniciaTela();
    const std::string said = testing::internal::GetCapturedStderr();
    screen = savedScreen;
    EXPECT_FALSE(ok);
    // Said on stderr, and handed up for the game to show: no box from below.
    EXPECT_EQ(r.failure().rfind("Unable to open a 640x480 window", 0), 0u) << r.failure();
    EXPECT_EQ(said, "lumo: " + r.failure() + "\n");
    EXPECT_EQ(r.imagem(0), nullptr);  // no image loaded without a window
}
