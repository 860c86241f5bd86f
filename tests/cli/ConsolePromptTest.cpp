#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "cli/ConsolePrompt.h"

namespace dashcam {
namespace {

TEST(ConsolePromptTest, DeclinesQuestionsAndFollowsAWorkersProgressUntilItsClose) {
    std::ostringstream err;
    ConsolePrompt prompt(err);
    EXPECT_FALSE(prompt.AskYesNo(u"Parking Mode", u"Stop?\r\nReally?\r\n", 370, 170));
    EXPECT_EQ(err.str(), "dashcam-cfg: Parking Mode: Stop? Really? (answered no)\n");

    err.str("");
    std::thread worker;
    int last = 0;
    prompt.ShowProgress(u"Formatting memory card", u"Please wait.\r\n", 400, 150,
                        [&](IProgress& progress) {
                            worker = std::thread([&progress, &last] {
                                for (int i = 0; i < 6; ++i) {
                                    progress.SetProgress(progress.GetProgress() + 20);
                                }
                                last = progress.GetProgress();
                                progress.Close();
                            });
                        });
    worker.join();
    EXPECT_EQ(last, 100);
    EXPECT_EQ(err.str(), "dashcam-cfg: Formatting memory card: Please wait.\n"
                         "dashcam-cfg: Formatting memory card 20%\n"
                         "dashcam-cfg: Formatting memory card 40%\n"
                         "dashcam-cfg: Formatting memory card 60%\n"
                         "dashcam-cfg: Formatting memory card 80%\n"
                         "dashcam-cfg: Formatting memory card 100%\n"
                         "dashcam-cfg: Formatting memory card 100%\n");
}

} // namespace
} // namespace dashcam
