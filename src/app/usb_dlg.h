#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "form/field_validators.h"
#include "hid/reader_thread.h"
#include "platform/form.h"
#include "platform/timer_host.h"
#include "upgrade/dialog_upgrade_branch.h"

struct DeviceParameterBlock;

// The main dialog's logic. It owns the form and the reader thread, but no
// widget: a front end renders the form and calls the handlers through it.
// Its operations are defined in the folders of the subsystems that own them
// (the timer tick in loop/, loading and writing the configuration in params/,
// units and the clock in form/, the upgrade in upgrade/).
class CUSBDlg {
public:
    explicit CUSBDlg(TimerHost& timer);
    ~CUSBDlg();
    CUSBDlg(const CUSBDlg&) = delete;
    CUSBDlg& operator=(const CUSBDlg&) = delete;

    Form& form() { return m_form; }

    // Fills the form with its defaults, resets the link state, starts the
    // reader thread and arms the timer. Returns true.
    bool OnInitDialog();

    // The message map: routes a control's notification to its handler.
    void OnNotify(int id, Notification what);

    // Repaints the dialog area under one control.
    void InvalidateControl(int id);

    // Timer tick and the device state machine (loop/).
    void OnTimer(int timerId);
    void ResetDeviceDisplay();
    void ProcessPendingEvents();
    void SendConfiguration();

    // Handlers of the message map.
    void OnBnClickedConfigure();
    void OnCbnSelchangeTimeZone();
    void OnCbnSelchangeDateFormat();
    void OnCbnSelchangeTempUnit();
    void OnCbnSelchangeCh3Unit();
    void OnCbnSelchangeReportLanguage();
    void OnEnChangeLogInterval();
    void OnBnClickedLockSettings();
    void OnEnChangeTempLow();
    void OnEnChangeTempHigh();
    void OnEnChangeHumLow();
    void OnEnChangeHumHigh();
    void OnBnClickedTimedStart();
    void OnBnClickedEnableAlarm();

    // Field readers of the dialog (form/): validate a control's text and, on
    // failure, put the caret at its end and the focus on it.
    ValidationResult ReadIntegerField(int controlId, int32_t& value, int32_t min, int32_t max,
                                      FieldName name = std::nullopt);
    ValidationResult ReadDecimalField(int controlId, double& value, FieldName name, double min,
                                      double max);
    // Keeps at most one character after the decimal point; false when it cut.
    bool TrimAlertDecimals(int controlId);
    // The caret after the field's last character, and the focus on it.
    void FocusFieldEnd(int controlId);

    // Loading, validating and encoding the configuration (params/).
    bool LoadDeviceParameters(bool loadAll);
    bool ValidateForm();
    bool BuildConfiguration();
    // Alert readers: read the edit in the unit shown, check it against the
    // logger's range and keep it in the base unit (params/).
    bool ReadTempLowAlert(FieldName name = std::nullopt);
    bool ReadTempHighAlert(FieldName name = std::nullopt);
    bool ReadCh3Alert(bool low, FieldName name = std::nullopt);

    // The work of the form events (form/).
    void UpdateMaxRecordingTime();   // EVT_LOG_INTERVAL
    void RereadTempLow();            // EVT_TEMP_LOW
    void RereadTempHigh();           // EVT_TEMP_HIGH
    void ShowTempUnit();             // EVT_TEMP_UNIT
    void ShowCh3Unit();              // EVT_CH3_UNIT
    void FollowReportLanguage();     // EVT_REPORT_LANGUAGE
    void ApplyAlarmEnabling();       // EVT_ENABLE_ALARM
    void ApplyLockSettings();        // EVT_LOCK_SETTINGS
    void ApplyTimeZone();            // EVT_TIME_ZONE
    void ApplyDateFormat();          // EVT_DATE_FORMAT
    void ParseTimeZoneItem();
    void RefreshClock();
    // Selects the time-zone item of `offset` minutes east of UTC, or
    // "UTC+00:00" when the list has none.
    void SelectTimeZone(int16_t offset);

    // Firmware upgrade (upgrade/).
    bool CheckFirmwareUpgrade();
    void StartUpgrade();
    // Writes the next upgrade report (resend false) or the last one again;
    // 0, or -1 when the write failed at once. Runs on the reader thread once
    // the first block has gone.
    int SendUpgradeStep(bool resend);

private:
    void ConnectDevice();
    void RunConfigureStep();
    void SetButton(const char16_t* text, bool enabled);
    // Steps of loading and validating (params/).
    void ShowCh3Type(uint8_t ch3Type);
    void LoadSettings(const DeviceParameterBlock& block);
    void LoadCh3Alerts(const DeviceParameterBlock& block);
    bool ReadTempAlert(int controlId, double& celsius, double& fahrenheit, FieldName name);
    bool ValidateTextField(int controlId, std::span<uint8_t> field, bool checkChars, bool allowEmpty,
                           std::u16string_view name);
    bool ValidatePdfPassword();
    void AppendCh3Alerts();
    bool BuildUpgradeReport();

    Form m_form;
    TimerHost& m_timer;
    // Before m_reader, which drives the upgrade through it.
    DialogUpgradeBranch m_upgradeBranch{*this};
    ReaderThread m_reader;
};
