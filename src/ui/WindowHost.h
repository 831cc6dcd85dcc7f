// What a window of the program may ask of it: run an operation, open another window, end the
// program, say that it closed. App implements it; the windows include this header and never
// App.h, so includes run one way, from the program to its windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/OperationContext.h"
#include "simfiles/Catalogue.h"

namespace qv::ui {

// What the settings window's user chose: it only fills this in; the program checks and saves it.
struct SimChoice {
    std::string folder;    // single-byte, as it would be saved
    bool lossless = true;  // every character of the folder had a single-byte form
    std::uint8_t version = 1;
};

// An operation run from a window: what it works with, and how it has the list follow the disk.
struct Operation {
    OperationContext context;
    Catalogue& catalogue;
    // The catalogue brought up to date after the operation changed the aircraft folders
    // `touched`, re-reading only those (a whole walk when that can't be done), the list with it.
    std::function<void(const std::vector<std::string>& touched)> update;
};

class WindowHost {
  public:
    enum class Opens { about, restore, check, change_settings };

    // The aircraft list loaded again with a whole walk, for changes made outside the program.
    virtual void reload() = 0;

    // Runs `operation` unless one is running; `origin` (the window asking) owns its message
    // boxes. While it runs the windows take no input, and closing waits.
    virtual void run_operation(const std::function<void(Operation&)>& operation, HWND origin) = 0;
    virtual bool busy() const = 0;
    // What a window may read: the file system and workspace (a plan shown, held removals
    // listed) and the catalogue.
    virtual OperationContext context() = 0;
    virtual const Catalogue& catalogue() const = 0;
    // The hidden window that owns the windows without a task-bar entry.
    virtual HWND owner() const = 0;

    virtual void open(Opens window) = 0;
    // The start-up sequence (the splash window's one tick).
    virtual void start() = 0;
    // The settings window's choice, checked and saved: false when it was not (the user said No
    // to a folder without an Aircraft folder, or the file could not be written), and the
    // settings window stays.
    virtual bool choose_settings(const SimChoice& choice, HWND origin) = 0;
    // The settings window left without saving (EXIT or its close).
    virtual void leave_settings() = 0;
    virtual void end_program() = 0;
    virtual void window_closed() = 0;

  protected:
    ~WindowHost() = default;
};

}  // namespace qv::ui
