// The debug switches: what is traced, whether procedures trap run-time errors, and the two
// values the error handler prints for an application-defined error.
#pragma once

namespace dualis {

class cLog;

class cDebug {
  public:
    // Sets LogApp, LogBasicLan, LogDebug, LogEvents and LogMouseEvents, and says so in the log.
    // LogClasses and the two "Dont" switches keep their values.
    void SetLogAll(cLog& log);
    // Clears the five switches that SetLogAll sets, and says so in the log.
    void UnsetLogAll(cLog& log);

    // The first eight are stored in the settings file under their own names.
    bool DontFixDataErrors = false;  // stored and shown only; nothing else depends on it
    bool DontTrapErrors = false;     // when on, procedures leave run-time errors untrapped
    bool LogApp = false;             // trace of ordinary procedures
    bool LogBasicLan = false;        // stored and shown only; traces nothing
    bool LogClasses = false;         // trace of the utility classes' methods
    bool LogDebug = false;           // stored only
    bool LogEvents = false;          // trace of the windows' event handlers
    bool LogMouseEvents = false;     // trace of the mouse-down, mouse-move and mouse-up handlers

    // Not stored: the error handler prints both for error 32000, the number an application
    // raises for a failure of its own.
    bool Status = false;
    bool Reason = false;
};

}  // namespace dualis
