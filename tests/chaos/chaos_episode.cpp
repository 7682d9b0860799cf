#include "chaos/chaos_episode.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <thread>

#include "app/form_values.h"
#include "chaos/shown_settings.h"
#include "chaos/system_texts.h"
#include "hid/record_queue.h"
#include "platform/format_text.h"
#include "platform/message_box.h"
#include "support/block_builder.h"
#include "support/upgrade_rig.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Every wait of an episode ends after this many ticks or this much time:
// beyond either the tool is taken to hang. The longest honest wait is an
// upgrade (about a thousand answers) or one answer time-out per tick.
constexpr int TICK_LIMIT = 20000;
constexpr auto WAIT_LIMIT = 20s;
// Ticks given to the reader to find and open a plugged logger; a logger it
// cannot open is never found, which is no fault.
constexpr int OPEN_TICKS = 300;

enum class Kind { Current, OldFirmware, NeedsNewerTool, FirmwareTooNew, OtherDevice };

// Blocks of current loggers with settings a form can show and write back.
std::vector<uint8_t> CurrentBlock(std::mt19937& rng) {
    constexpr uint32_t CSV = SET_EXPORT_CSV, ALARM = SET_ALARM_ENABLED, SELECTABLE = SET_TEMP_UNIT_SELECTABLE;
    struct Shape {
        uint8_t ch3Type;
        uint32_t settings;
        uint32_t ch3Low, ch3High;
    };
    constexpr Shape SHAPES[] = {
        {0, SELECTABLE | CSV, 10, 100},
        {0, SELECTABLE | SET_FAHRENHEIT | SET_LANGUAGE_CHINESE | (1u << 13) | (1u << 8) | ALARM, 1076, 10760},
        {1, SET_FAHRENHEIT | (1u << 8), 355, 1005},
        {2, CSV | ALARM, 1500, 25000},
        {2, 1u << 8, 1000, 10000},
        {2, 5u << 8, 500, 3000},
    };
    const Shape& s = SHAPES[std::uniform_int_distribution<size_t>(0, std::size(SHAPES) - 1)(rng)];
    BlockBuilder b;
    b.Number(BLOCK_CH3_TYPE, s.ch3Type).Number(BLOCK_SETTINGS_WORD, s.settings).Number(BLOCK_CH3_LOW, s.ch3Low)
        .Number(BLOCK_CH3_HIGH, s.ch3High).Number(BLOCK_CH3_RANGE_MAX, 2000000).Number(BLOCK_DUCT_AREA, 50);
    return b.Bytes();
}

class Episode {
public:
    Episode(uint32_t seed, bool slow) : rng_(seed), slow_(slow) {}

    EpisodeOutcome Run() {
        Plug();
        if (rig_.Button() == u"Configure") {
            phase_ = "editing";
            Edit();
            phase_ = "configuring";
            Configure();
            if (Completed()) {
                phase_ = "checking the logger's block";
                CheckBlock();
            }
        }
        phase_ = "unplugging";
        UnplugAll();
        CheckMessages();
        return outcome_;
    }

private:
    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    // CHAOS_TRACE=1 tells what an episode does, to follow one found by its seed.
    void Trace(const std::string& what) {
        if (std::getenv("CHAOS_TRACE")) std::cout << "tick " << ticks_ << ": " << what << " [" << State() << "]\n";
    }
    void Fault(const std::string& what) { outcome_.faults.push_back(phase_ + ": " + what + " [" + State() + "]"); }

    // What the tool and the episode stand at, for the report of a fault.
    std::string State() {
        std::string state = "logger kind " + std::to_string(static_cast<int>(kind_)) + ", button \"" +
                            ToUtf8(rig_.Button()) + "\", link event " + std::to_string(g_linkEvent.load()) +
                            ", upgrade state " + std::to_string(g_upgradeState.load()) + ", devices " +
                            std::to_string(g_deviceCount.load()) + ", queue " + std::to_string(g_cmdQueueLength) +
                            (g_configPending ? ", pending" : "") + (pulled_ ? ", pulled" : "") +
                            (second_ >= 0 ? ", second logger" : "") + ", messages:";
        for (const std::u16string& text : rig_.messages.Texts()) state += " \"" + ToUtf8(text) + "\"";
        return state;
    }

    // One tick, then a pause for the reader; the button must show one of its
    // states at every tick.
    void Step() {
        if (pullAtTick_ == ticks_) Pull();
        rig_.Tick();
        ++ticks_;
        // The tool has let go of the restarting logger; it opens it again
        // when it is back.
        if (g_upgradeState.load() == UPGRADE_RESTARTING && g_hRead.load() == INVALID_HID_HANDLE) restartLost_ = true;
        const std::u16string button = rig_.Button();
        if (!IsButtonText(button)) Fault("the button shows \"" + ToUtf8(button) + "\"");
        std::this_thread::sleep_for(100us);
    }

    // Ticks until `done`; a wait that must end and does not is a hang.
    bool StepUntil(const std::function<bool()>& done, int limit = TICK_LIMIT, bool mustEnd = true) {
        const auto end = Clock::now() + WAIT_LIMIT;
        for (int i = 0; !done(); ++i) {
            if (i >= limit || Clock::now() > end) {
                if (mustEnd) Fault("no end after " + std::to_string(i) + " ticks");
                return false;
            }
            Step();
        }
        return true;
    }

    static bool LinkQuiet() {
        return g_linkEvent.load() == LINK_NONE && !g_configPending && g_cmdQueueLength == 0 &&
               g_upgradeState.load() != UPGRADE_SENDING;
    }

    // After its restart the logger comes back and is read again; until the
    // tool has asked it for its block the upgrade has not settled. A read
    // that fails then leaves the tool waiting for a replug, which is settled.
    bool AwaitingRestart() {
        if (g_upgradeState.load() != UPGRADE_RESTARTING || pulled_ || GoneByFault()) return false;
        return !(restartLost_ && g_hRead.load() != INVALID_HID_HANDLE && g_linkEvent.load() == LINK_NONE);
    }

    // The logger unplugged itself at the report its fault named.
    bool GoneByFault() {
        bool gone = false;
        rig_.bus.Modify(main_, [&](SimLogger& l) {
            gone = l.faults.goAwayAtReport > 0 &&
                   l.Received().size() >= static_cast<size_t>(l.faults.goAwayAtReport);
        });
        return gone;
    }

    void Pull() {
        Trace("pulls the logger");
        rig_.bus.Unplug(main_);
        pulled_ = true;
    }

    void RandomFault(SimLogger& logger, bool atPlug) {
        SimFaults& f = logger.faults;
        const int received = static_cast<int>(logger.Received().size());
        const int fault = slow_ && Chance(0.6) ? Uniform(12, 14) : Uniform(0, 11);
        Trace("fault " + std::to_string(fault) + " at report " + std::to_string(received));
        switch (fault) {
        case 0: f.statusAnswers = Uniform(1, 3); f.statusCode = static_cast<uint8_t>(Uniform(0, 255)); break;
        case 1: f.failedWriteWaits = Uniform(1, 2); break;
        case 2: f.failedReadWaits = Uniform(1, 2); break;
        case 3: f.shortWrites = 1; break;
        case 4: f.emptyBlockAnswers = Uniform(1, 3); break;
        case 5: f.readChunk = static_cast<uint8_t>(Uniform(1, 58)); break;
        case 6: f.endStatus = static_cast<uint8_t>(Uniform(1, 255)); break;
        case 7: f.goAwayAtReport = received + Uniform(1, kind_ == Kind::OldFirmware ? 1100 : 50); break;
        case 8: f.answerDelay = std::chrono::microseconds(Uniform(0, 2000)); break;
        case 9: f.refuseImageReport = Uniform(0, 1042); break;
        case 10: f.wrongImageSum = true; break;
        case 11: f.openable = !atPlug; break;
        // The slow ones: each waits out a time-out of the tool.
        case 12: f.silentAnswers = 1; f.silentFromReport = received + Uniform(1, 50); break;
        case 13: f.stalledWrites = 1; break;
        case 14: f.illegalFrames = 1; f.illegalPL = static_cast<uint8_t>(Uniform(65, 255)); break;
        }
    }

    SimLogger MakeLogger() {
        SimLogger logger = MakeAnyLogger();
        tempUnitSelectable_ = (ReadBlockNumber(logger.Block(), BLOCK_SETTINGS_WORD) & SET_TEMP_UNIT_SELECTABLE) != 0;
        return logger;
    }

    SimLogger MakeAnyLogger() {
        const int pick = Uniform(0, 99);
        kind_ = pick < 80 ? Kind::Current : pick < 88 ? Kind::OldFirmware : pick < 92 ? Kind::NeedsNewerTool
              : pick < 96 ? Kind::FirmwareTooNew : Kind::OtherDevice;
        if (kind_ == Kind::OldFirmware) {
            SimLogger logger = LoggerWith(0x5010, static_cast<uint8_t>(Uniform(0, 2)));
            logger.restartDelay = std::chrono::milliseconds(Uniform(0, 20));
            Trace("restart delay " + std::to_string(logger.restartDelay.count()) + " ms");
            return logger;
        }
        std::vector<uint8_t> block = CurrentBlock(rng_);
        if (kind_ == Kind::NeedsNewerTool) WriteBlockNumber(block, BLOCK_MIN_TOOL_VERSION, 0x0500);
        if (kind_ == Kind::FirmwareTooNew) WriteBlockNumber(block, BLOCK_FW_VERSION_HIGH, 0x60);
        if (kind_ == Kind::OtherDevice) WriteBlockNumber(block, BLOCK_DEVICE_TYPE, 100);
        return SimLogger(block);
    }

    void Plug() {
        phase_ = "plugging";
        if (Chance(0.1)) rig_.form().SetCheck(IDC_AUTO_SETUP, 1);
        SimLogger logger = MakeLogger();
        if (Chance(0.3)) RandomFault(logger, true);
        rig_.Tick();  // the first tick
        main_ = rig_.bus.Plug(std::move(logger));
        if (Chance(0.08)) second_ = rig_.bus.Plug(SimLogger());
        if (!StepUntil([] { return g_hRead.load() != INVALID_HID_HANDLE; }, OPEN_TICKS, false)) return;
        StepUntil(LinkQuiet);
    }

    void Type(int id, const std::u16string& text) {
        if (!rig_.form().IsWindowEnabled(id)) return;  // as a user cannot
        Trace("types \"" + ToUtf8(text) + "\" into " + std::to_string(id));
        rig_.Type(id, text);
    }
    void Pick(int id, int index) {
        if (!rig_.form().IsWindowEnabled(id)) return;
        Trace("picks " + std::to_string(index) + " in " + std::to_string(id));
        rig_.Pick(id, index);
    }
    void Click(int id) {
        Trace("clicks " + std::to_string(id));
        rig_.Click(id);
    }

    void TypeAny(int id) {
        static const std::u16string JUNK[] = {
            u"", u"abc", u"-5", u"99999999999", u"1.2.3", u" 7", u"12a", u"€uro", u"中文",
            std::u16string(200, u'x'), u"-0", u"100000", u"a b", u"x/y"};
        Type(id, JUNK[Uniform(0, static_cast<int>(std::size(JUNK)) - 1)]);
    }

    static std::u16string Letters(std::mt19937& rng, int length) {
        std::u16string text;
        for (int i = 0; i < length; ++i) text += static_cast<char16_t>(u'A' + rng() % 26);
        return text;
    }

    void Edit() {
        constexpr int EDITS[] = {IDC_START_DELAY, IDC_LOG_INTERVAL, IDC_ALARM_LED_DUTY, IDC_RECORD_LED_DUTY,
                                 IDC_TEMP_LOW, IDC_TEMP_HIGH, IDC_HUM_LOW, IDC_HUM_HIGH, IDC_CH3_LOW,
                                 IDC_CH3_HIGH, IDC_DEVICE_NAME, IDC_DEVICE_ID, IDC_WEBSITE, IDC_USER_INFO,
                                 IDC_TRADEMARK, IDC_PDF_PASSWORD};
        constexpr int LISTS[] = {IDC_TIME_ZONE, IDC_DATE_FORMAT, IDC_REPORT_LANGUAGE, IDC_TEMP_UNIT, IDC_CH3_UNIT};
        for (int n = Uniform(0, 4); n > 0; --n) {
            switch (Uniform(0, 7)) {
            case 0: Type(IDC_START_DELAY, FormatText(u"%d", {Uniform(0, 1440)})); break;
            case 1: Type(IDC_LOG_INTERVAL, FormatText(u"%d", {Uniform(1, 86400)})); break;
            case 2: Type(Chance(0.5) ? IDC_ALARM_LED_DUTY : IDC_RECORD_LED_DUTY,
                              FormatText(u"%d", {Uniform(0, 60)})); break;
            case 3: {
                const int low = Uniform(0, 999);
                Type(IDC_HUM_LOW, FormatText(u"%1.1f", {low / 10.0}));
                Type(IDC_HUM_HIGH, FormatText(u"%1.1f", {Uniform(low + 1, 1000) / 10.0}));
                break;
            }
            case 4: {
                constexpr int TEXTS[] = {IDC_DEVICE_NAME, IDC_DEVICE_ID, IDC_WEBSITE, IDC_TRADEMARK,
                                         IDC_PDF_PASSWORD};
                Type(TEXTS[Uniform(0, 4)], Letters(rng_, Uniform(1, 8)));
                break;
            }
            case 5: TypeAny(EDITS[Uniform(0, static_cast<int>(std::size(EDITS)) - 1)]); break;
            case 6: {
                const int id = LISTS[Uniform(0, static_cast<int>(std::size(LISTS)) - 1)];
                const int count = rig_.form().GetCount(id);
                if (count > 0) Pick(id, Uniform(0, count - 1));
                break;
            }
            case 7: Click(Chance(0.5) ? IDC_ENABLE_ALARM : IDC_EXPORT_CSV); break;
            }
            Step();  // the tool takes each action before the next, as it does a user's
        }
    }

    void Configure() {
        if (Chance(0.5)) rig_.bus.Modify(main_, [this](SimLogger& l) { RandomFault(l, false); });
        if (Chance(0.1)) pullAtTick_ = ticks_ + Uniform(0, kind_ == Kind::OldFirmware ? 400 : 5);
        clicked_ = Chance(0.9);
        if (clicked_) Click(IDC_CONFIGURE);
        Step();
        StepUntil([this] { return LinkQuiet() && !AwaitingRestart(); });
        pullAtTick_ = -1;
    }

    bool Completed() {
        const bool done = clicked_ && rig_.messages.Texts().empty() && rig_.Button() == u"配置中..." && !pulled_ &&
                          rig_.bus.Present(main_);
        outcome_.configured = done;
        return done;
    }

    // Loaded into the form again, the logger's block shows every setting as
    // the form held it when it was configured.
    void CheckBlock() {
        std::vector<ShownSetting> held = ShownSettings(rig_);
        if (!LoadBlock(*rig_.dlg, rig_.bus.Block(main_))) {
            Fault("the configured block is refused");
            return;
        }
        Step();  // the unit views follow the loaded selections
        const std::vector<ShownSetting> kept = ShownSettings(rig_);
        // Loading shows a stored date format as "YYYY/MM/DD" with Chinese
        // reports and "DD/MM/YYYY" with English ones, never "MM/DD/YYYY".
        // A logger that reports in Celsius only is shown in Celsius, though
        // the alarm box enables the unit list for any logger.
        for (ShownSetting& setting : held) {
            if (setting.id == IDC_DATE_FORMAT) {
                const bool chinese = rig_.form().GetCurSel(IDC_REPORT_LANGUAGE) == 1;
                setting.selection = setting.selection != 0 && chinese ? 2 : 0;
            }
            if (setting.id == IDC_TEMP_UNIT && !tempUnitSelectable_) setting.selection = 0;
        }
        for (size_t i = 0; i < held.size(); ++i) {
            if (!(held[i] == kept[i])) {
                Fault("control " + std::to_string(held[i].id) + " held \"" + ToUtf8(held[i].text) + "\" (" +
                      std::to_string(held[i].selection) + "), the logger keeps \"" + ToUtf8(kept[i].text) +
                      "\" (" + std::to_string(kept[i].selection) + ")");
            }
        }
    }

    void UnplugAll() {
        for (int id : {main_, second_}) {
            if (id >= 0) rig_.bus.Unplug(id);
        }
        // The reader counts no logger once it searches again, which it does
        // only after the loop has taken the loss.
        if (!StepUntil([] { return LinkQuiet() && g_deviceCount.load() == 0; })) return;
        // Once an upgrade has restarted the logger the button keeps its text
        // until the next logger is read.
        const std::u16string button = rig_.Button();
        if (button == u"Input Device" || (button == u"正在更新固件" && g_upgradeState.load() == UPGRADE_RESTARTING)) {
            return;
        }
        // A configure request taken in the tick that took the logger's loss
        // (the display reset first, then the request) leaves the button of a
        // configuration, or of a refused form, with no logger attached.
        if (button == u"配置中..." || button == u"写入配置(HID)") {
            outcome_.lateRequests = 1;
            return;
        }
        Fault("no logger, yet the button shows \"" + ToUtf8(button) + "\"");
        if (g_cmdQueueLength != 0) Fault("records left in the queue");
        if (g_configPending) Fault("a configuration still pending");
    }

    void CheckMessages() {
        phase_ = "messages";
        for (const std::u16string& text : rig_.messages.Texts()) {
            if (!IsSystemMessage(text)) Fault("a message not the tool's own: \"" + ToUtf8(text) + "\"");
        }
    }

    std::mt19937 rng_;
    const bool slow_;
    DialogRig rig_;
    EpisodeOutcome outcome_;
    std::string phase_;
    Kind kind_ = Kind::Current;
    int main_ = -1;
    int second_ = -1;
    bool clicked_ = false;
    bool pulled_ = false;
    bool restartLost_ = false;
    bool tempUnitSelectable_ = true;
    int ticks_ = 0;
    int pullAtTick_ = -1;
};

}  // namespace

EpisodeOutcome RunEpisode(uint32_t seed, bool slow) { return Episode(seed, slow).Run(); }
