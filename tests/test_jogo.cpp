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
    testing::internal::CaptureStdout();
    bool ok = r.iniciaTela();
    std::string message = testing::internal::GetCapturedStdout();
    screen = savedScreen;
    EXPECT_FALSE(ok);
    EXPECT_NE(message.find("Unable to open a 640x480 window"), std::string::npos) << message;
    EXPECT_EQ(r.imagem(0), nullptr);  // no image loaded without a window
}
