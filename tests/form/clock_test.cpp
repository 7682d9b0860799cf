#include <gtest/gtest.h>

#include "app/pending_events.h"
#include "app/form_table.h"
#include "form/clock_record.h"
#include "support/dialog_rig.h"

namespace {

int ZoneItem(const std::u16string& text) {
    const std::vector<std::u16string> items = TimeZoneItems();
    return static_cast<int>(std::find(items.begin(), items.end(), text) - items.begin());
}

struct ClockCase {
    const char* what;
    int32_t computerOffset;  // minutes east of UTC
    std::u16string zone;
    LocalTime local;
    ClockRecord expected;
};

TEST(Clock, MovesLocalTimeIntoTheSelectedZone) {
    const std::vector<ClockCase> cases = {
        {"same zone", 480, u"UTC+08:00", {2025, 3, 7, 10, 20, 30}, {25, 3, 7, 10, 20, 30}},
        {"back over the new year", 480, u"UTC+00:00", {2025, 1, 1, 5, 10, 30}, {24, 12, 31, 21, 10, 30}},
        {"into a leap day", 0, u"UTC+05:30", {2024, 2, 28, 23, 50, 0}, {24, 2, 29, 5, 20, 0}},
        {"over February", 0, u"UTC+05:30", {2025, 2, 28, 23, 50, 0}, {25, 3, 1, 5, 20, 0}},
        {"half an hour back", 0, u"UTC-00:30", {2025, 3, 1, 0, 10, 0}, {25, 2, 28, 23, 40, 0}},
        {"a whole day back", 720, u"UTC-12:00", {2025, 3, 1, 12, 0, 0}, {25, 2, 28, 12, 0, 0}},
        {"a whole day forward", -720, u"UTC+12:00", {2025, 12, 31, 12, 0, 0}, {26, 1, 1, 12, 0, 0}},
        {"leap February of 2100", -60, u"UTC+00:00", {2100, 2, 28, 23, 30, 0}, {100, 2, 29, 0, 30, 0}},
        {"back into a leap February", 60, u"UTC+00:00", {2024, 3, 1, 0, 30, 0}, {24, 2, 29, 23, 30, 0}},
    };
    for (const ClockCase& c : cases) {
        SCOPED_TRACE(c.what);
        DialogRig rig;
        rig.clock.bias = -c.computerOffset;
        rig.clock.now = c.local;
        rig.form().SetCurSel(IDC_TIME_ZONE, ZoneItem(c.zone));
        rig.dlg->RefreshClock();
        const ClockRecord& r = g_clock;
        EXPECT_EQ((std::vector<int>{r.year, r.month, r.day, r.hour, r.minute, r.second}),
                  (std::vector<int>{c.expected.year, c.expected.month, c.expected.day, c.expected.hour,
                                    c.expected.minute, c.expected.second}));
    }
}

// Any local time moved into any of the zones gives a real date.
TEST(Clock, EveryZoneGivesARealDate) {
    const std::vector<std::u16string> zones = TimeZoneItems();
    for (int pcOffset : {-720, -330, 0, 345, 780}) {
        for (int zone = 0; zone < 49; ++zone) {
            for (LocalTime t : {LocalTime{2024, 2, 29, 0, 0, 0}, LocalTime{2024, 3, 1, 23, 59, 59},
                                LocalTime{2025, 12, 31, 23, 45, 0}, LocalTime{2025, 1, 1, 0, 15, 0},
                                LocalTime{2100, 3, 1, 0, 0, 0}}) {
                const ClockRecord r = ShiftClock(t.year, t.month, t.day, t.hour, t.minute, t.second,
                                                 (720 - 30 * zone) - pcOffset);
                ASSERT_GE(r.month, 1);
                ASSERT_LE(r.month, 12);
                ASSERT_GE(r.day, 1);
                ASSERT_LE(r.day, DaysInMonth(r.month, r.year));
                ASSERT_LT(r.hour, 24);
                ASSERT_LT(r.minute, 60);
            }
        }
    }
}

TEST(Clock, DateFormatsAndWhenTheLabelsAreWritten) {
    DialogRig rig;
    rig.clock.now = {2025, 3, 7, 10, 20, 30};
    rig.Tick();  // the first tick computes the clock and asks for the date
    EXPECT_EQ(g_pendingEvents & EVT_DATE_FORMAT, EVT_DATE_FORMAT);
    EXPECT_EQ(rig.Text(IDC_TIME_TEXT), u"22:00:00");  // not yet written
    rig.Tick();
    EXPECT_EQ(rig.Text(IDC_DATE_TEXT), u"07/03/2025");
    EXPECT_EQ(rig.Text(IDC_TIME_TEXT), u"10:20:30");

    // Within the same second nothing is written again.
    const int repaints = rig.form().InvalidationCount(IDC_TIME_TEXT);
    rig.Tick();
    EXPECT_EQ(rig.form().InvalidationCount(IDC_TIME_TEXT), repaints);
    rig.clock.now.second = 31;
    rig.Tick();
    EXPECT_EQ(rig.Text(IDC_TIME_TEXT), u"10:20:31");

    const std::vector<std::pair<int, std::u16string>> formats = {
        {1, u"03/07/2025"}, {2, u"2025/03/07"}, {0, u"07/03/2025"}};
    for (const auto& [index, text] : formats) {
        rig.Pick(IDC_DATE_FORMAT, index);
        rig.Tick();
        EXPECT_EQ(rig.Text(IDC_DATE_TEXT), text);
    }
    EXPECT_TRUE(rig.messages.Texts().empty());
}

}  // namespace
