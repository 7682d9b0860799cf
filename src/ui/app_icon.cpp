#include "ui/app_icon.h"

QIcon AppIcon() {
    Q_INIT_RESOURCE(ui_resources);
    return QIcon(QStringLiteral(":/datalogger-config.png"));
}
