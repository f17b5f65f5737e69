// The engine's host inside the window system: message boxes with the application's title, the
// busy pointer, yielding to pending events, and the trace log.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "Host.h"
#include "Tracing.h"

class QWidget;

namespace dualis {

// Shows a message with the exclamation icon and the title "Dualis". Tests replace it.
using MessageBox = std::function<void(QWidget* owner, const std::string& text)>;
void ShowExclamation(QWidget* owner, const std::string& text);
// Asks a question with Yes and No, the information icon and the title "Dualis"; true for Yes.
using QuestionBox = std::function<bool(QWidget* owner, const std::string& text)>;
bool AskYesNo(QWidget* owner, const std::string& text);

class WindowHost : public IHost {
  public:
    WindowHost(Tracing& tracing, QWidget* owner, MessageBox message = ShowExclamation)
        : tracing_(tracing), owner_(owner), message_(std::move(message)) {}

    void ShowMessage(std::string_view text) override;
    void BeginBusy() override;
    void EndBusy() override;
    void DoEvents() override;
    bool TraceApp() const override { return tracing_.On(TraceKind::App); }
    bool TraceTakesLines() const override { return tracing_.Log().TakesLines(); }
    void TraceEnter(std::string_view procText) override { tracing_.Log().LogTraceEnter(procText); }
    void TraceExit(std::string_view procText) override { tracing_.Log().LogTraceExit(procText); }
    void LogData(std::string_view text) override { tracing_.Log().LogData(text); }

    void SetMessageBox(MessageBox message) { message_ = std::move(message); }
    // A question to the user, answered Yes (true) or No.
    bool Ask(const std::string& text);
    void SetQuestionBox(QuestionBox question) { question_ = std::move(question); }
    // Shows a message owned by another window than the host's.
    void ShowMessageOver(QWidget* owner, const std::string& text);

  private:
    Tracing& tracing_;
    QWidget* owner_;
    MessageBox message_;
    QuestionBox question_ = AskYesNo;
    static constexpr std::chrono::milliseconds EventInterval{10};
    std::chrono::steady_clock::time_point lastEvents_{};  // the first call always yields
};

}  // namespace dualis
