#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "app/CSettingDlg.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/TestPlatform.h"

namespace dashcam {
namespace {

namespace fs = std::filesystem;

constexpr char kRelaunchText[] = "The editor could not be copied to this computer";

// The editor's own executable lies on a card, a removable drive; the app-data folder is another
// folder of the test.
struct Relaunch : ::testing::Test {
    Relaunch() {
        card.Write("setup.cfg", test::RecordBytes(544, {{0, 544}, {64, 1}}));
        card.Write("default.cfg", test::RecordBytes(544, {{0, 544}, {64, 2}}));
        card.WriteText("lang/ver.dat", " Ver : 1.02\r\n Code : en fr\r\n");
        platform.program.executable = card.CardPath() + "dashcam-setting";
        platform.program.appData = appData.Path().string();
        platform.volumes.removable.insert(card.CardPath());
    }
    void PutTheEditorOnTheCard() { fs::copy_file(DASHCAM_EDITOR, platform.program.executable); }
    std::string Copy() const { return appData.Path().string() + "/Lumavist/dashcam-setting"; }
    bool ToldTheDriver() const {
        return platform.prompt.messages.size() == 1 &&
               platform.prompt.messages[0].starts_with(kRelaunchText);
    }

    test::TempFolder card;
    test::TempFolder appData;
    test::TestPlatform platform;
    AppContext context{platform.services, platform.prompt};
    CSettingDlg window{context};
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The process whose executable is `program`, and its command line split at its NULs; pid 0 when
// none runs within a few seconds.
std::pair<pid_t, std::vector<std::string>> FindRunning(const std::string& program) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000) {
        for (const auto& entry : fs::directory_iterator("/proc")) {
            const std::string name = entry.path().filename().string();
            std::error_code error;
            if (name.find_first_not_of("0123456789") != std::string::npos ||
                fs::read_symlink(entry.path() / "exe", error).string() != program) {
                continue;
            }
            std::vector<std::string> arguments;
            std::string line = ReadFile(entry.path() / "cmdline");
            for (std::size_t start = 0, end; start < line.size(); start = end + 1) {
                end = line.find('\0', start);
                arguments.push_back(line.substr(start, end - start));
            }
            return {pid_t(std::stoi(name)), arguments};
        }
        QThread::msleep(50);
    }
    return {0, {}};
}

TEST_F(Relaunch, TheEditorCopiedOffTheCardRunsWithTheCardFolder) {
    PutTheEditorOnTheCard();
    platform.program.startForReal = true;
    // A copy left by an earlier run that could not be started: it is written anew, executable.
    fs::create_directories(appData.Path() / "Lumavist");
    std::ofstream(Copy()) << "an older copy";
    fs::permissions(Copy(), fs::perms(0644));

    ASSERT_EQ(window.Start(), CSettingDlg::StartResult::Relaunched);
    EXPECT_TRUE(platform.prompt.messages.empty());
    EXPECT_EQ(ReadFile(Copy()), ReadFile(DASHCAM_EDITOR));
    EXPECT_EQ(fs::status(Copy()).permissions(), fs::status(DASHCAM_EDITOR).permissions());

    const auto [pid, arguments] = FindRunning(Copy());
    ASSERT_NE(pid, 0) << "the copy did not start";
    ::kill(pid, SIGTERM);
    ASSERT_EQ(arguments.size(), 2u);
    EXPECT_EQ(arguments[1], card.CardPath());
}

TEST_F(Relaunch, ACopyThatCannotStartIsToldAndTheEditorEditsTheCardInPlace) {
    // Not a program at all: the copy is made but cannot be executed.
    card.WriteText("dashcam-setting", "program bytes");
    platform.program.startForReal = true;
    ASSERT_EQ(window.Start(), CSettingDlg::StartResult::Running);
    EXPECT_TRUE(ToldTheDriver());
    EXPECT_EQ(context.CardPath, card.CardPath());
    EXPECT_EQ(context.settings.Current().GetI32(64), 1);
    EXPECT_EQ(window.RelaunchPath(), "");
}

TEST_F(Relaunch, ACopyThatCannotBeMadeIsToldAndANamedCardFolderIsKept) {
    PutTheEditorOnTheCard();
    platform.program.failCopiesTo = "Lumavist";
    test::TempFolder named;
    named.Write("setup.cfg", test::RecordBytes(544, {{0, 544}, {64, 0}}));
    context.CardPath = named.CardPath();
    ASSERT_EQ(window.Start(), CSettingDlg::StartResult::Running);
    EXPECT_TRUE(ToldTheDriver());
    EXPECT_TRUE(platform.program.started.empty());
    EXPECT_EQ(context.CardPath, named.CardPath());
    EXPECT_EQ(context.settings.Current().GetI32(64), 0);
}

} // namespace
} // namespace dashcam
