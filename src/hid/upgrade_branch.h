#pragma once

// The reader thread's part in a firmware upgrade. While g_upgradeState is
// UPGRADE_SENDING the reader consumes the logger's answers itself and drives
// the transfer through this interface; the upgrade procedure implements it.
class UpgradeBranch {
public:
    virtual ~UpgradeBranch() = default;

    // Writes the next upgrade report (resend false) or the last one again
    // (resend true, after a read time-out with the device still present).
    virtual void SendUpgradeStep(bool resend) = 0;

    // Judges the answer in g_inReport to the last upgrade report. True when
    // the next report is to be sent as soon as the next read is posted.
    virtual bool JudgeUpgradeReply() = 0;
};
