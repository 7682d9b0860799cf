// The same tool over a simulated logger that is plugged in a second after the
// window opens: to try the tool without hardware. The logger has its alarm
// on, so that every field of the form can be tried.
#include <QTimer>

#include "params/block_bytes.h"
#include "sim/sim_bus.h"
#include "ui/main_window.h"
#include "ui/qt_front_end.h"

namespace {
SimLogger DemoLogger() {
    std::vector<uint8_t> block = SimLogger::DefaultBlock();
    WriteBlockNumber(block, BLOCK_SETTINGS_WORD, ReadBlockNumber(block, BLOCK_SETTINGS_WORD) | SET_ALARM_ENABLED);
    return SimLogger(block);
}
}  // namespace

int main(int argc, char** argv) {
    SimBus bus;
    return RunConfigurationTool(argc, argv, bus, [&bus](MainWindow& window) {
        QTimer::singleShot(1000, &window, [&bus] { bus.Plug(DemoLogger()); });
    });
}
