#include "input/trigger_periods.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "model/text_forms.h"

namespace tindlow {
namespace {

constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();

ReminderEntry periodic(int incType, std::int32_t interval, double pre, double post) {
    ReminderEntry entry;
    entry.incType = RecurrenceKind{incType};
    entry.interval = interval;
    entry.preTrigger = pre;
    entry.postTrigger = post;
    entry.sFile = L"C:\\P\\_PeriodicEvents\\Daily.csv";
    entry.sRowNumber = L"12";
    return entry;
}

TEST(RecurrencePeriodSeconds, CountsDaysMonthsAndYearsExactly) {
    const struct {
        int incType;
        std::int32_t interval;
        double expected;
    } kCases[] = {
        {2, 1, 86400.0},
        {2, 7, 604800.0},
        {3, 1, 2592000.0},
        {5, 2, 5184000.0},
        {6, 12, 31104000.0},
        {4, 1, 31536000.0},
        {4, 100, 3153600000.0},  // beyond 32 bits
        {4, kMax32, 67723044291792000.0},
        {2, kMax32, 185542587100800.0},
        {0, 1, 0.0},
        {1, kMax32, 0.0},
        {7, 1, 0.0},
        {2, 0, 0.0},
        {3, -1, 0.0},
        {4, kMin32, 0.0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.incType << " interval " << c.interval);
        EXPECT_EQ(recurrencePeriodSeconds(periodic(c.incType, c.interval, 0, 0)), c.expected);
    }
}

enum class Message { kNone, kPostShortened, kBothShortened };

TEST(OverlapCheck, ShortensThePeriodsToFitOnePeriod) {
    const struct {
        const char* what;
        int incType;
        std::int32_t interval;
        double pre, post;
        std::int32_t loopPeriod;
        Message message;
        double newPre, newPost;
    } kCases[] = {
        {"daily, default post", 2, 1, 0, 259200, 1, Message::kPostShortened, 0, 86398},
        {"daily, 24 h post, loop 120", 2, 1, 0, 86400, 120, Message::kPostShortened, 0, 86160},
        {"daily, pre and post", 2, 1, 50000, 40000, 1, Message::kPostShortened, 50000, 36398},
        {"daily, fractional pre", 2, 1, 0.5, 259200, 1, Message::kPostShortened, 0.5, 86397},
        {"daily, negative pre kept", 2, 1, -600, 259200, 1, Message::kPostShortened, -600, 86398},
        {"daily, pre over a day", 2, 1, 90000, 3600, 1, Message::kBothShortened, 86398, 0},
        {"daily, pre fills the day", 2, 1, 86399, 0, 1, Message::kBothShortened, 86398, 0},
        {"infinite pre", 2, 1, kInf, 3600, 1, Message::kBothShortened, 86398, 0},
        {"monthly, 30 days pre", 3, 1, 2592000, 259200, 1, Message::kBothShortened, 2591998, 0},
        {"weekly, 8 days pre", 2, 7, 691200, 259200, 2, Message::kBothShortened, 604796, 0},
        {"100 years, pre of 100 years", 4, 100, 3153600000.0, 259200, 1, Message::kBothShortened,
         3153599998.0, 0},
        {"exactly fits", 2, 1, 3600, 82798, 1, Message::kNone, 3600, 82798},
        {"one second over", 2, 1, 3600, 82799, 1, Message::kPostShortened, 3600, 82798},
        {"yearly, 1 day pre", 4, 1, 86400, 259200, 1, Message::kNone, 86400, 259200},
        {"month by weekday", 5, 1, 0, 259200, 1, Message::kNone, 0, 259200},
        {"month by day", 6, 1, 0, 259200, 1, Message::kNone, 0, 259200},
        {"single, years of pre", 1, kMax32, 1e9, 259200, 1, Message::kNone, 1e9, 259200},
        {"not used", 0, 1, 1e9, 259200, 1, Message::kNone, 1e9, 259200},
        {"unknown kind", 9, 1, 1e9, 259200, 1, Message::kNone, 1e9, 259200},
        {"interval 0", 2, 0, 0, 259200, 1, Message::kNone, 0, 259200},
        {"negative interval", 2, -1, 0, 259200, 1, Message::kNone, 0, 259200},
        {"longest years, small periods", 4, kMax32, 1e6, 259200, 7200, Message::kNone, 1e6, 259200},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ReminderEntry entry = periodic(c.incType, c.interval, c.pre, c.post);
        const std::wstring text = overlapCheck(entry, c.loopPeriod, englishTables());
        EXPECT_EQ(entry.preTrigger, c.newPre);
        EXPECT_EQ(entry.postTrigger, c.newPost);
        switch (c.message) {
            case Message::kNone:
                EXPECT_EQ(text, L"");
                break;
            case Message::kPostShortened:
                EXPECT_EQ(text.rfind(L"Attention", 0), 0u) << text;
                EXPECT_NE(text.find(L"post-event-remind-period was shortened"), std::wstring::npos);
                EXPECT_TRUE(text.ends_with(
                    L"from now on: " +
                    intText(static_cast<std::int64_t>(std::trunc(c.newPost / 3600))) + L" hours"))
                    << text;
                break;
            case Message::kBothShortened:
                EXPECT_NE(text.find(L"as well as the post-event-remind-period was shortened"),
                          std::wstring::npos);
                EXPECT_NE(
                    text.find(L"pre-trigger value is from now on: " +
                              intText(static_cast<std::int64_t>(c.newPre / 60)) + L" minutes. "),
                    std::wstring::npos)
                    << text;
                break;
        }
    }
}

// Whatever the periods, afterwards the windows of two successive occurrences stay the margin
// apart, no period was lengthened, and the message says exactly what changed.
TEST(OverlapCheck, KeepsSuccessiveWindowsApart) {
    const std::int32_t kIntervals[] = {1, 2, 7, 30, 100};
    const double kPres[] = {0, 0.25, 59.5, 3600, 86399, 86400, 1e6, 1e9, 1e12, -3600, kInf};
    const double kPosts[] = {0, 3600, 86400, 259200, 23999 * 3600.0};
    const std::int32_t kLoopPeriods[] = {1, 2, 120, 7200};
    for (int incType = 2; incType <= 6; ++incType) {
        for (const auto interval : kIntervals) {
            for (const auto pre : kPres) {
                for (const auto post : kPosts) {
                    for (const auto loop : kLoopPeriods) {
                        SCOPED_TRACE(testing::Message()
                                     << "kind " << incType << " interval " << interval << " pre "
                                     << pre << " post " << post << " loop " << loop);
                        ReminderEntry entry = periodic(incType, interval, pre, post);
                        const std::wstring text = overlapCheck(entry, loop, englishTables());
                        const double v = recurrencePeriodSeconds(entry);
                        const double usedPre = entry.preTrigger > 0 ? entry.preTrigger : 0.0;
                        ASSERT_LE(usedPre + entry.postTrigger + 2.0 * loop, v);
                        ASSERT_GE(entry.postTrigger, 0.0);
                        ASSERT_LE(entry.postTrigger, post);
                        ASSERT_TRUE(entry.preTrigger == pre ||
                                    (entry.preTrigger >= 0 && entry.preTrigger < pre));
                        const bool preChanged = entry.preTrigger != pre;
                        const bool postChanged = entry.postTrigger != post;
                        ASSERT_EQ(text.empty(), !preChanged && !postChanged);
                        if (preChanged) {
                            ASSERT_EQ(entry.postTrigger, 0.0);
                            ASSERT_NE(text.find(L"pre-trigger"), std::wstring::npos);
                        } else if (postChanged) {
                            ASSERT_EQ(text.find(L"pre-trigger"), std::wstring::npos);
                        }
                    }
                }
            }
        }
    }
}

TEST(OverlapCheck, ComposesTheMessagesFromTheTextTables) {
    ReminderEntry daily = periodic(2, 1, 0, 259200);
    EXPECT_EQ(overlapCheck(daily, 1, englishTables()),
              L"Attention, periodical events, initiated by one single reminder line in a file, "
              L"must not overlap. Thus, the post-event-remind-period was shortened. \n"
              L"File name and path: C:\\P\\_PeriodicEvents\\Daily.csv\n"
              L"Line number in file: 12\n"
              L"The applied post-trigger value is from now on: 23 hours");

    ReminderEntry longPre = periodic(2, 1, 90000, 3600);
    EXPECT_EQ(overlapCheck(longPre, 1, englishTables()),
              L"Attention, periodical events, initiated by one single reminder line in a file, "
              L"must not overlap. Thus, the pre-event-remind-period as well as the "
              L"post-event-remind-period was shortened. \n"
              L"File name and path: C:\\P\\_PeriodicEvents\\Daily.csv\n"
              L"Line number in file: 12\n"
              L"The applied pre-trigger value is from now on: 1439 minutes. "
              L"The applied post-trigger value is from now on: 0  hours");

    ReminderEntry german = periodic(2, 1, 90000, 3600);
    EXPECT_EQ(overlapCheck(german, 1, germanTables()),
              L"Achtung, periodische Ereignisse, verursacht durch eine einzige Erinnerungszeile "
              L"in einer Datei, d\u00fcrfen sich nicht \u00fcberlappen. Daher wurde sowohl die "
              L"Vor- als auch die Nach-Erinnerungsperiode verkleinert. \n"
              L"Dateiname und Pfad: C:\\P\\_PeriodicEvents\\Daily.csv\n"
              L"Zeilennummer in der Datei : 12\n"
              L"Die angewendete Vor-Erinnerungsperiode ist von jetzt an: 1439 Minuten. "
              L"Die angewendete Nach-Erinnerungsperiode ist von jetzt an: 0  Stunden");
}

}  // namespace
}  // namespace tindlow
