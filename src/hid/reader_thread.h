#pragma once

#include <atomic>
#include <thread>

class UpgradeBranch;

// The thread that owns the device connection: it looks for a logger every
// 50 ms while none is open, opens it, keeps one read posted, checks every
// input report and hands it to the waiting sender, notices when the device
// has gone, and reports each opening and loss through g_linkEvent.
//
// The thread runs until Stop() (or destruction), so that a test or the
// program can end cleanly; nothing else ever stops it.
class ReaderThread {
public:
    explicit ReaderThread(UpgradeBranch* upgrade = nullptr) : upgrade_(upgrade) {}
    ~ReaderThread() { Stop(); }
    ReaderThread(const ReaderThread&) = delete;
    ReaderThread& operator=(const ReaderThread&) = delete;

    void Start();
    void Stop();

private:
    void Run();
    void OpenDevice();
    void ReceiveReport();
    void CheckPresence();
    void CloseDevice();

    UpgradeBranch* upgrade_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    // The last upgrade answer was accepted: send the next report as soon as
    // the next read is posted.
    bool advanceUpgrade_ = false;
};
