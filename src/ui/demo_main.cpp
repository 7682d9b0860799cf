// The same tool over a simulated logger that is plugged in a second after the
// window opens: to try the tool without hardware.
#include <QTimer>

#include "sim/sim_bus.h"
#include "ui/main_window.h"
#include "ui/qt_front_end.h"

int main(int argc, char** argv) {
    SimBus bus;
    return RunConfigurationTool(argc, argv, bus, [&bus](MainWindow& window) {
        QTimer::singleShot(1000, &window, [&bus] { bus.Plug(); });
    });
}
