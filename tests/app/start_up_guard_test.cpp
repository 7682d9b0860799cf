#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "app/dialog_front_end.h"
#include "app/usb_app.h"
#include "app/usb_dlg.h"
#include "support/dialog_rig.h"

extern char** environ;

namespace {

const std::u16string CONFIG_RUNNING =
    u"The configuration tool is already running!Please do not run it again";
const std::u16string CALIB_RUNNING =
    u"The calibration tool is already running!To run the configuration tool, close the calibration tool!";

// Another process holding (or probing) one named mutex until it is released
// or killed.
class OtherProcess {
public:
    explicit OtherProcess(const std::string& name) {
        int in[2], out[2];
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        std::string program = NAMED_MUTEX_HOLDER;
        char* argv[] = {program.data(), const_cast<char*>(name.c_str()), nullptr};
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        close(out[1]);
        stdin_ = in[1];
        stdout_ = out[0];
        answer_ = ReadLine();
    }
    ~OtherProcess() { End(); }

    // "held", "exists" or "failed"; empty when the process did not answer.
    const std::string& Answer() const { return answer_; }

    void End() {
        if (stdin_ >= 0) close(stdin_);
        stdin_ = -1;
        Reap();
    }
    void Crash() {
        if (pid_ > 0) kill(pid_, SIGKILL);
        End();
    }

private:
    std::string ReadLine() {
        std::string line;
        pollfd p{stdout_, POLLIN, 0};
        char c;
        while (poll(&p, 1, 10000) == 1 && read(stdout_, &c, 1) == 1 && c != '\n') line += c;
        return line;
    }
    void Reap() {
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
        pid_ = -1;
        if (stdout_ >= 0) close(stdout_);
        stdout_ = -1;
    }

    pid_t pid_ = -1;
    int stdin_ = -1, stdout_ = -1;
    std::string answer_;
};

// A front end whose modal run is whatever the test does meanwhile.
class FakeFrontEnd : public DialogFrontEnd {
public:
    TimerHost& Timer() override { return timer; }
    void DoModal(CUSBDlg&) override {
        ++runs;
        if (whileOpen) whileOpen();
    }
    ManualTimer timer;
    int runs = 0;
    std::function<void()> whileOpen;
};

class StartUpGuard : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/guard-test-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        folder_ = folder;
        setenv("XDG_RUNTIME_DIR", folder, 1);
    }
    void TearDown() override {
        std::system(("rm -rf " + folder_).c_str());
    }
    std::string folder_;
    RecordedMessages messages;
    FakeFrontEnd frontEnd;
    CUSBApp app;
};

TEST_F(StartUpGuard, RefusesBesideAnotherToolWithItsMessage) {
    struct Case {
        std::vector<std::string> held;
        std::u16string message;
    };
    const Case cases[] = {
        {{CONFIG_MUTEX_NAME}, CONFIG_RUNNING},
        {{CALIB_MUTEX_NAME}, CALIB_RUNNING},
        // The first check comes first: one message only.
        {{CONFIG_MUTEX_NAME, CALIB_MUTEX_NAME}, CONFIG_RUNNING},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.held.size());
        std::vector<std::unique_ptr<OtherProcess>> others;
        for (const std::string& name : c.held) {
            others.push_back(std::make_unique<OtherProcess>(name));
            ASSERT_EQ(others.back()->Answer(), "held");
        }
        messages.Clear();
        EXPECT_FALSE(app.InitInstance(frontEnd));
        EXPECT_EQ(messages.Texts(), std::vector<std::u16string>{c.message});
        EXPECT_EQ(frontEnd.runs, 0);
        // The refused copy keeps nothing after it has gone.
        CloseNamedMutex(app.m_hConfigMutex);
        CloseNamedMutex(app.m_hCalibMutex);
        app = CUSBApp();
    }
}

TEST_F(StartUpGuard, HoldsItsNameWhileOpenAndLeavesNoCalibrationNameBehind) {
    std::string configSeen, calibSeen;
    frontEnd.whileOpen = [&] {
        configSeen = OtherProcess(CONFIG_MUTEX_NAME).Answer();
        calibSeen = OtherProcess(CALIB_MUTEX_NAME).Answer();
    };
    EXPECT_FALSE(app.InitInstance(frontEnd));
    EXPECT_EQ(frontEnd.runs, 1);
    EXPECT_EQ(configSeen, "exists");
    EXPECT_EQ(calibSeen, "held");
    EXPECT_TRUE(messages.Texts().empty());
    // Closed: the next copy starts, while this process still runs.
    EXPECT_EQ(OtherProcess(CONFIG_MUTEX_NAME).Answer(), "held");
}

TEST_F(StartUpGuard, AToolThatCrashedLeavesNothingHeld) {
    OtherProcess crashed(CONFIG_MUTEX_NAME);
    ASSERT_EQ(crashed.Answer(), "held");
    crashed.Crash();
    EXPECT_FALSE(app.InitInstance(frontEnd));
    EXPECT_EQ(frontEnd.runs, 1);
    EXPECT_TRUE(messages.Texts().empty());
}

}  // namespace
