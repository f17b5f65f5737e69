// Whether the window system can be reached before Qt is started: Qt ends the program when it
// cannot reach its display, and waits for ever on one that accepts the connection but never
// answers, so each display is asked first, within a deadline.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace dualis {

enum class DisplayState {
    Available,  // a display answered, or a platform that needs none is named for Qt
    Missing,    // no display is named, or none can be reached
    Silent      // a display took the connection but gave no answer within the deadline
};

inline constexpr std::chrono::milliseconds DisplayDeadline{3000};

// The variables that name the window system, empty where unset.
struct DisplayEnvironment {
    std::string Platform{};        // QT_QPA_PLATFORM
    std::string WaylandDisplay{};  // WAYLAND_DISPLAY: a socket name, or an absolute path
    std::string RuntimeDir{};      // XDG_RUNTIME_DIR: the folder of a Wayland socket's name
    std::string XDisplay{};        // DISPLAY

    static DisplayEnvironment FromProcess();
};

// A platform for Qt other than xcb needs no display and is trusted. Otherwise the Wayland
// display, when one is named, decides if it can be reached; then the X display. Each is asked
// in a child process that is ended when it has not answered by the deadline, so a stuck display
// never holds the program.
DisplayState CheckDisplay(const DisplayEnvironment& env = DisplayEnvironment::FromProcess(),
                          std::chrono::milliseconds deadline = DisplayDeadline);

// What the command line says before printing the report instead: "No display found" or "The
// display does not answer".
std::string_view DisplayProblem(DisplayState state);

}  // namespace dualis
