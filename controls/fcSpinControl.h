// The spin control: a one-line field that edits a whole number within a range, with a two-half
// spinner beside it that the control paints itself. Holding a half steps and then repeats.
#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "SpinRules.h"

class QLineEdit;

namespace dualis {

class fcSpinControl : public QWidget {
    Q_OBJECT
  public:
    // The spinner's width, in pixels.
    static constexpr int SpinnerWidth = 20;

    explicit fcSpinControl(QWidget* parent = nullptr);
    ~fcSpinControl() override;

    // The field's text. Setting takes only a whole number within MinVal..MaxVal; anything else
    // leaves the field as it is and returns false.
    QString Value() const;
    bool SetValue(const QString& value);

    int32_t MinVal() const { return rules_->MinVal; }
    void SetMinVal(int32_t value) { rules_->MinVal = value; }
    int32_t MaxVal() const { return rules_->MaxVal; }
    void SetMaxVal(int32_t value) { rules_->MaxVal = value; }
    int32_t ChangeAmount() const { return rules_->ChangeAmount; }
    void SetChangeAmount(int32_t value) { rules_->ChangeAmount = value; }

    // The number to store: empty when the field holds more digits than MinVal..MaxVal or a
    // 16-bit setting allows, which a user can type.
    std::optional<int16_t> ValidValue16() const { return rules_->ValidValue16(); }

    // True while the user holds a half of the spinner.
    bool HitSpin() const { return rules_->HitSpin(); }

    // The text field (fcSpinText), the focus proxy of the control.
    QLineEdit* Field() const;

    // The spinner's area (fcSpinPic), as tall as the field, at the control's right.
    QRect SpinnerRect() const;

    // Repaints the control.
    void Refresh() { update(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    // The field's text changed, or the auto-repeat made a step.
    void Change();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    class TextField;
    class Timer;

    SpinDirection HalfAt(QPoint at) const;
    // Ends a gesture that lost its release (the control disabled or hidden while held).
    void Abandon();
    // Calls a rule and repaints the spinner when the pressed half's look changed.
    template <class Rule>
    void Track(Rule&& rule);

    TextField* text_;
    QTimer fcSpinTimer_;
    std::unique_ptr<Timer> timer_;
    std::unique_ptr<SpinRules> rules_;
};

}  // namespace dualis
