// The spin control's rules: what the field may hold, steps held within the range, and the
// auto-repeat's timing on a clock that moves only when the test moves it.
#include "SpinRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace dualis {

namespace {

struct FakeField : SpinField {
    std::string Text() const override { return text; }
    void SetText(const std::string& value) override {
        text = value;
        cursor = static_cast<int>(value.size());
        selected = false;
    }
    int CursorPosition() const override { return cursor; }
    void SetCursorPosition(int position) override { cursor = position; }
    void SelectAll() override { selected = true; }

    std::string text = "1";
    int cursor = 1;
    bool selected = false;
};

// Fires at its due times as the clock is moved on, repeating at its interval like a real timer.
struct FakeTimer : SpinTimer {
    void Start(int32_t intervalMs) override {
        interval = intervalMs;
        due = now + intervalMs;
    }
    void Stop() override { due.reset(); }

    int64_t now = 0;
    int32_t interval = 0;
    std::optional<int64_t> due;
};

struct Spin {
    // Moves the clock to `time`, firing the timer at every due time on the way.
    void RunUntil(int64_t time) {
        while (timer.due && *timer.due <= time) {
            timer.now = *timer.due;
            timer.due = timer.now + timer.interval;
            rules.Tick();
        }
        timer.now = time;
    }
    // The field as the user left it, the caret at `cursor` (its end by default).
    void Type(const std::string& text, int cursor = -1) {
        field.text = text;
        field.cursor = cursor < 0 ? static_cast<int>(text.size()) : cursor;
    }

    FakeField field;
    FakeTimer timer;
    std::vector<int64_t> changes;  // the clock's time at each Change
    SpinRules rules{field, timer, [this] { changes.push_back(timer.now); }};
};

}  // namespace

TEST(SpinValue, AcceptsOnlyWholeNumbersInRange) {
    Spin s;
    for (const char* refused : {"abc", "", "-", "101", "0", "5.5", " 5", "+5", "1e2"}) {
        EXPECT_FALSE(s.rules.SetValue(refused)) << refused;
    }
    EXPECT_EQ(s.field.text, "1");
    EXPECT_TRUE(s.changes.empty());
    EXPECT_TRUE(s.rules.SetValue("007"));
    EXPECT_EQ(s.field.text, "7");
    EXPECT_TRUE(s.rules.SetValue("7"));  // the same text again raises no Change
    EXPECT_EQ(s.changes.size(), 1u);
}

TEST(SpinValue, ValidValue16RefusesWhatTypingCanExceed) {
    Spin s;
    s.Type("100");
    EXPECT_EQ(s.rules.ValidValue16(), std::optional<int16_t>(100));
    for (const char* typed : {"101", "0", "40000", "123456789012345678901234567890"}) {
        s.Type(typed);
        EXPECT_EQ(s.rules.ValidValue16(), std::nullopt) << typed;
    }
    s.rules.MaxVal = 50000;  // a range wider than a 16-bit setting holds
    s.Type("40000");
    EXPECT_EQ(s.rules.ValidValue16(), std::nullopt);
    s.Type("32767");
    EXPECT_EQ(s.rules.ValidValue16(), std::optional<int16_t>(32767));
}

TEST(SpinKeys, ArrowsStepWithinTheRangeFromAnyText) {
    Spin s;
    s.Type("99");
    s.rules.KeyDown(SpinKey::Up);
    EXPECT_EQ(s.field.text, "100");
    s.rules.KeyDown(SpinKey::Up);  // held at MaxVal: nothing changed, nothing raised
    EXPECT_EQ(s.field.text, "100");
    EXPECT_EQ(s.changes.size(), 1u);
    s.Type("1");
    s.rules.KeyDown(SpinKey::Down);
    EXPECT_EQ(s.field.text, "1");
    // Typed beyond either end, a step in either direction brings the number back into range.
    s.Type("500");
    s.rules.KeyDown(SpinKey::Down);
    EXPECT_EQ(s.field.text, "100");
    s.rules.MinVal = 5;
    s.Type("0");
    s.rules.KeyDown(SpinKey::Up);
    EXPECT_EQ(s.field.text, "5");
    s.Type(std::string(30, '9'));
    s.rules.KeyDown(SpinKey::Up);
    EXPECT_EQ(s.field.text, "100");
}

TEST(SpinKeys, OtherKeysDropLeadingZerosAndKeepTheCaretByItsDigit) {
    Spin s;
    s.Type("012", 1);  // a 0 typed before 12
    s.rules.KeyDown(SpinKey::Other);
    EXPECT_EQ(s.field.text, "12");
    EXPECT_EQ(s.field.cursor, 0);
    s.Type("-005", 4);
    s.rules.KeyDown(SpinKey::Other);
    EXPECT_EQ(s.field.text, "-5");
    EXPECT_EQ(s.field.cursor, 2);
    s.Type("-00", 3);
    s.rules.KeyDown(SpinKey::Other);
    EXPECT_EQ(s.field.text, "0");
    EXPECT_EQ(s.field.cursor, 1);
    s.Type("-", 1);  // no number at all: MinVal
    s.rules.KeyDown(SpinKey::Other);
    EXPECT_EQ(s.field.text, "1");
    EXPECT_EQ(s.changes.size(), 4u);  // one for each text that changed
}

TEST(SpinText, AnEmptiedFieldShowsMinValSelected) {
    Spin s;
    s.rules.MinVal = 3;
    s.Type("", 0);
    s.rules.TextEdited();
    EXPECT_EQ(s.field.text, "3");
    EXPECT_TRUE(s.field.selected);
    EXPECT_EQ(s.changes.size(), 1u);
}

TEST(SpinMouse, TheUpperHalfEndsAtTheMiddle) {
    EXPECT_EQ(SpinHalfAt(19, 10, 20, 22), SpinDirection::Up);
    EXPECT_EQ(SpinHalfAt(0, 11, 20, 22), SpinDirection::Down);
    EXPECT_EQ(SpinHalfAt(5, 10, 20, 21), SpinDirection::Down);
    for (const auto& [x, y] : {std::pair{-1, 5}, {20, 5}, {5, -1}, {5, 22}})
        EXPECT_EQ(SpinHalfAt(x, y, 20, 22), SpinDirection::None);
}

TEST(SpinRepeat, AStepAtOnceThenAfterTheDelayThenAtTheRate) {
    Spin s;
    s.rules.Press(SpinDirection::Up);
    EXPECT_TRUE(s.rules.HitSpin());
    EXPECT_EQ(s.rules.PressedLook(), SpinDirection::Up);
    s.RunUntil(1000);
    EXPECT_EQ(s.changes, (std::vector<int64_t>{1, 801, 851, 901, 951}));
    EXPECT_EQ(s.field.text, "6");
    s.rules.Release();
    EXPECT_FALSE(s.rules.HitSpin());
    EXPECT_EQ(s.rules.PressedLook(), SpinDirection::None);
    s.RunUntil(5000);
    EXPECT_EQ(s.changes.size(), 5u);
    // Every press starts over: at once, then the delay.
    s.changes.clear();
    s.rules.Press(SpinDirection::Down);
    s.RunUntil(5900);
    EXPECT_EQ(s.changes, (std::vector<int64_t>{5001, 5801, 5851}));
    EXPECT_EQ(s.field.text, "3");
}

TEST(SpinRepeat, HeldAtMaxValAChangeIsRaisedAtEveryTick) {
    Spin s;
    s.Type("99");
    s.rules.Press(SpinDirection::Up);
    s.RunUntil(1000);
    EXPECT_EQ(s.field.text, "100");
    EXPECT_EQ(s.changes, (std::vector<int64_t>{1, 801, 851, 901, 951}));  // one per tick
}

TEST(SpinRepeat, LeavingThePressedHalfPausesAndReturningResumes) {
    Spin s;
    s.rules.Press(SpinDirection::Up);
    s.RunUntil(300);
    s.rules.Move(SpinDirection::Down);  // the other half is off the pressed one too
    EXPECT_EQ(s.rules.PressedLook(), SpinDirection::None);
    EXPECT_TRUE(s.rules.HitSpin());
    s.RunUntil(2000);
    EXPECT_EQ(s.changes, std::vector<int64_t>{1});
    // Back during the delay: the delay starts over.
    s.rules.Move(SpinDirection::Up);
    EXPECT_EQ(s.rules.PressedLook(), SpinDirection::Up);
    s.RunUntil(2900);
    EXPECT_EQ(s.changes, (std::vector<int64_t>{1, 2800, 2850, 2900}));
    // Off and back while repeating: the repeat goes on at its rate.
    s.rules.Move(SpinDirection::None);
    s.rules.Move(SpinDirection::None);
    s.RunUntil(3500);
    s.rules.Move(SpinDirection::Up);
    s.RunUntil(3600);
    EXPECT_EQ(s.changes, (std::vector<int64_t>{1, 2800, 2850, 2900, 3550, 3600}));
    // A firing already on its way when the repeat paused makes no step.
    s.rules.Move(SpinDirection::None);
    s.rules.Tick();
    EXPECT_EQ(s.changes.size(), 6u);
}

}  // namespace dualis
