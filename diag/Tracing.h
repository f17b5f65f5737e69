// How the windows and the utility classes trace their procedures and trap run-time errors: each
// procedure runs through Tracing::Run with its trace text and its kind, which picks the switch.
#pragma once

#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>

#include "Debug.h"
#include "ErrorReport.h"
#include "Log.h"
#include "RunTimeError.h"

namespace dualis {

// The switch that decides whether a procedure writes its entry and exit lines.
enum class TraceKind {
    App,          // ordinary procedures of the windows (LogApp)
    Events,       // event handlers: loads, clicks, menu commands, keys, scroll changes (LogEvents)
    MouseEvents,  // mouse-down, mouse-move and mouse-up handlers (LogMouseEvents)
    Classes,      // methods of the utility classes (LogClasses)
};

class Tracing {
  public:
    // The uniform error handler; it does not return (it ends the program).
    using ErrorHandler = std::function<void(const ErrorFacts&)>;

    Tracing(const cDebug& debug, cLog& log, ErrorHandler onError)
        : debug_(debug), log_(log), onError_(std::move(onError)) {}

    bool On(TraceKind kind) const {
        switch (kind) {
            case TraceKind::App:
                return debug_.LogApp;
            case TraceKind::Events:
                return debug_.LogEvents;
            case TraceKind::MouseEvents:
                return debug_.LogMouseEvents;
            case TraceKind::Classes:
                return debug_.LogClasses;
        }
        return false;
    }

    // Runs one procedure: the entry line when its switch is on, the body, and the exit line on a
    // normal return. A run-time error (or any other exception) goes to the error handler with
    // procText as its place, unless DontTrapErrors is on, in which case it is left to the
    // run-time system. A procedure left by an error writes no exit line, so it stays on the
    // call chain of the error report.
    template <class Body>
    auto Run(TraceKind kind, std::string_view procText, Body&& body) -> decltype(body()) {
        const bool on = On(kind);
        if (on) log_.LogTraceEnter(procText);
        if (debug_.DontTrapErrors) return Finish(on, procText, body);
        try {
            return Finish(on, procText, body);
        } catch (const RunTimeError& e) {
            Fail({e.Number, e.Description, e.Source,
                  e.Place.empty() ? std::string(procText) : e.Place});
        } catch (const std::bad_alloc&) {
            Fail({ErrOutOfMemory, "Out of memory", "Dualis", std::string(procText)});
        } catch (const std::exception& e) {
            Fail({ErrInvalidCall, e.what(), "Dualis", std::string(procText)});
        }
        // Reached only when a test's error handler returns.
        if constexpr (!std::is_void_v<decltype(body())>) return decltype(body()){};
    }

    // A data line for the trace log, written only when the switch of `kind` is on.
    void LogData(TraceKind kind, std::string_view text) {
        if (On(kind)) log_.LogData(text);
    }

    const cDebug& Debug() const { return debug_; }
    cLog& Log() { return log_; }

  private:
    template <class Body>
    auto Finish(bool on, std::string_view procText, Body& body) -> decltype(body()) {
        if constexpr (std::is_void_v<decltype(body())>) {
            body();
            if (on) log_.LogTraceExit(procText);
        } else {
            auto result = body();
            if (on) log_.LogTraceExit(procText);
            return result;
        }
    }
    void Fail(const ErrorFacts& facts) {
        if (onError_) onError_(facts);
    }

    const cDebug& debug_;
    cLog& log_;
    ErrorHandler onError_;
};

}  // namespace dualis
