// The configuration tool for real loggers, over hidapi.
#include "hid/hidapi_access.h"
#include "ui/qt_front_end.h"

int main(int argc, char** argv) {
    HidapiAccess hid;
    return RunConfigurationTool(argc, argv, hid);
}
