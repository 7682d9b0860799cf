#pragma once

#include <QDialog>

// The About box: icon, the firmware of the three device variants, a notice
// and "确定".
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

// The item that opens the About box.
extern const char16_t IDS_ABOUTBOX_TEXT[];
