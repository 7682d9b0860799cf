#pragma once

#include <QIcon>

// The application icon (IDR_MAINFRAME).
QIcon AppIcon();
