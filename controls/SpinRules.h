// The spin control's rules without a window: what its text may hold, the step of a spin, and the
// auto-repeat of a press on the spinner, driven by a timer that the host supplies.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dualis {

// The half of the spinner a press hit, with the values the control records for it.
enum class SpinDirection : int16_t { None = 0, Up = 1, Down = 2 };

// A key that went down in the text field, as far as the spin rules tell keys apart.
enum class SpinKey { Up, Down, Other };

// The auto-repeat's intervals in milliseconds: a press steps at once, waits, then repeats.
inline constexpr int32_t SpinFirstStepMs = 1;
inline constexpr int32_t SpinRepeatDelayMs = 800;
inline constexpr int32_t SpinRepeatRateMs = 50;

// The whole number a text holds: an optional minus and decimal digits, nothing else. Numbers
// too large to hold are held at +/-10^18, so that any row of digits has a value.
std::optional<int64_t> WholeNumber(std::string_view text);

// The half of a spinner `width` by `height` pixels under a point inside it: the upper half
// above the middle, the lower half from the middle down; None outside the spinner.
SpinDirection SpinHalfAt(int x, int y, int width, int height);

// True for the characters a user may type into the field: the digits 0 to 9.
bool IsSpinCharacter(char32_t c);

// What the rules need of the text field. SetText is not reported back as the user's edit.
class SpinField {
  public:
    virtual ~SpinField() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual int CursorPosition() const = 0;
    virtual void SetCursorPosition(int position) = 0;
    virtual void SelectAll() = 0;
};

// The auto-repeat timer. Start (re)starts it to fire every intervalMs from now until Stop; the
// host calls SpinRules::Tick at every firing.
class SpinTimer {
  public:
    virtual ~SpinTimer() = default;
    virtual void Start(int32_t intervalMs) = 0;
    virtual void Stop() = 0;
};

// The control's behaviour: the field's text stays a number (apart from digits typed beyond the
// range, which the host checks on use), spins stay within MinVal..MaxVal, and `change` is
// raised for every change of the text and for every step of the auto-repeat.
class SpinRules {
  public:
    SpinRules(SpinField& field, SpinTimer& timer, std::function<void()> change);

    int32_t MinVal = 1;
    int32_t MaxVal = 100;
    int32_t ChangeAmount = 1;  // added or subtracted by one step

    // The field's text. Setting it takes only a whole number within MinVal..MaxVal, which the
    // field then shows in decimal; anything else is ignored and false returned.
    std::string Value() const { return field_.Text(); }
    bool SetValue(std::string_view value);

    // The field's number when it lies within MinVal..MaxVal and fits 16 bits; empty otherwise,
    // as when more digits were typed than the range allows.
    std::optional<int16_t> ValidValue16() const;

    // True while a spin gesture is in progress: from a press on the spinner to its release.
    bool HitSpin() const { return pressed_ != SpinDirection::None; }
    // The half to draw pressed: None at rest and while the pointer is off the pressed half.
    SpinDirection PressedLook() const { return overPressed_ ? pressed_ : SpinDirection::None; }

    // The user edited the field's text: an emptied field shows MinVal at once, selected so that
    // the next digit replaces it.
    void TextEdited();
    // A key went down in the field, before any character it types reaches the field. The arrow
    // keys step; any other key first brings the text to its decimal form (leading zeros go,
    // the caret stays beside the digit it was at).
    void KeyDown(SpinKey key);

    // The mouse on the spinner, left button only. A press on a half steps at once, then after
    // the delay repeats; the pointer leaving the pressed half pauses the repeat and its return
    // resumes it at the interval reached.
    void Press(SpinDirection half);
    void Move(SpinDirection halfUnderPointer);
    void Release();
    // The auto-repeat timer fired.
    void Tick();

  private:
    // One step in `direction`, the result held within MinVal..MaxVal; true when the text changed.
    bool Step(SpinDirection direction);
    void Show(const std::string& text);

    SpinField& field_;
    SpinTimer& timer_;
    std::function<void()> change_;
    SpinDirection pressed_ = SpinDirection::None;
    bool overPressed_ = false;
    int32_t interval_ = SpinFirstStepMs;
};

}  // namespace dualis
