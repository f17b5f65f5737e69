// The spin control's text rules and its auto-repeat.
#include "SpinRules.h"

#include <algorithm>
#include <limits>

namespace dualis {

namespace {

// Large enough for any range of 32-bit bounds, small enough that a step cannot overflow.
constexpr int64_t NumberLimit = 1'000'000'000'000'000'000;

}  // namespace

std::optional<int64_t> WholeNumber(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value >= NumberLimit / 10 ? NumberLimit : value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

SpinDirection SpinHalfAt(int x, int y, int width, int height) {
    if (x < 0 || y < 0 || x >= width || y >= height) return SpinDirection::None;
    return y < height / 2 ? SpinDirection::Up : SpinDirection::Down;
}

bool IsSpinCharacter(char32_t c) {
    return c >= U'0' && c <= U'9';
}

SpinRules::SpinRules(SpinField& field, SpinTimer& timer, std::function<void()> change)
    : field_(field), timer_(timer), change_(std::move(change)) {}

bool SpinRules::SetValue(std::string_view value) {
    const std::optional<int64_t> number = WholeNumber(value);
    if (!number || *number < MinVal || *number > MaxVal) return false;
    Show(std::to_string(*number));
    return true;
}

std::optional<int16_t> SpinRules::ValidValue16() const {
    const std::optional<int64_t> number = WholeNumber(field_.Text());
    if (!number || *number < MinVal || *number > MaxVal ||
        *number < std::numeric_limits<int16_t>::min() ||
        *number > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(*number);
}

void SpinRules::TextEdited() {
    if (field_.Text().empty()) {
        field_.SetText(std::to_string(MinVal));
        field_.SelectAll();
    }
    change_();
}

void SpinRules::KeyDown(SpinKey key) {
    if (key != SpinKey::Other) {
        if (Step(key == SpinKey::Up ? SpinDirection::Up : SpinDirection::Down)) change_();
        return;
    }
    const std::string text = field_.Text();
    if (!WholeNumber(text)) {
        Show(std::to_string(MinVal));
        return;
    }
    // Only leading zeros (and the minus of a zero) can differ from the decimal form; they are
    // all before the first significant digit, so the caret moves back by those before it.
    const size_t sign = text.front() == '-' ? 1 : 0;
    size_t first = text.find_first_not_of('0', sign);
    if (first == std::string::npos) first = text.size() - 1;
    const bool negative = sign == 1 && text.compare(first, std::string::npos, "0") != 0;
    std::string decimal = text.substr(first);
    if (negative) decimal.insert(decimal.begin(), '-');
    if (decimal == text) return;
    const int from = negative ? 1 : 0;
    const int removed = static_cast<int>(first) - from;
    int caret = field_.CursorPosition();
    if (caret > from) caret = std::max(from, caret - removed);
    field_.SetText(decimal);
    field_.SetCursorPosition(caret);
    change_();
}

void SpinRules::Press(SpinDirection half) {
    if (half == SpinDirection::None) return;
    pressed_ = half;
    overPressed_ = true;
    interval_ = SpinFirstStepMs;
    timer_.Start(interval_);
}

void SpinRules::Move(SpinDirection halfUnderPointer) {
    if (pressed_ == SpinDirection::None) return;
    const bool over = halfUnderPointer == pressed_;
    if (over == overPressed_) return;
    overPressed_ = over;
    if (over) {
        timer_.Start(interval_);
    } else {
        timer_.Stop();
    }
}

void SpinRules::Release() {
    if (pressed_ == SpinDirection::None) return;
    timer_.Stop();
    pressed_ = SpinDirection::None;
    overPressed_ = false;
}

void SpinRules::Tick() {
    if (!overPressed_) return;  // a firing that was already due when the repeat stopped
    if (interval_ != SpinRepeatRateMs) {
        interval_ = interval_ == SpinFirstStepMs ? SpinRepeatDelayMs : SpinRepeatRateMs;
        timer_.Start(interval_);
    }
    Step(pressed_);
    // Every step is reported, also one held at the end of the range.
    change_();
}

bool SpinRules::Step(SpinDirection direction) {
    const int64_t value = WholeNumber(field_.Text()).value_or(MinVal);
    const int64_t moved =
        direction == SpinDirection::Up ? value + ChangeAmount : value - ChangeAmount;
    // Held at both ends, so that a number typed beyond the range comes back into it.
    const int64_t held = std::max<int64_t>(MinVal, std::min<int64_t>(moved, MaxVal));
    const std::string text = std::to_string(held);
    if (text == field_.Text()) return false;
    field_.SetText(text);
    return true;
}

void SpinRules::Show(const std::string& text) {
    if (text == field_.Text()) return;
    field_.SetText(text);
    change_();
}

}  // namespace dualis
