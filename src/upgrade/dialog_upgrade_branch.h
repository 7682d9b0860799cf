#pragma once

#include "hid/upgrade_branch.h"

class CUSBDlg;

// The reader thread's part in an upgrade, on behalf of the dialog whose main
// button shows the progress.
class DialogUpgradeBranch : public UpgradeBranch {
public:
    explicit DialogUpgradeBranch(CUSBDlg& dialog) : dialog_(dialog) {}

    void SendUpgradeStep(bool resend) override;
    bool JudgeUpgradeReply() override;

private:
    CUSBDlg& dialog_;
};
