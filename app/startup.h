#pragma once
// Start-up and shut-down of the program, and the handlers of the window's
// creation and of its drop target.
#include "platform/gui_form.h"
#include "platform/gui_runtime.h"
#include "platform/text.h"

// Creates g_dialog, then g_json.
void InitGlobals();

// Run from the exit list: first the procedures given to RegisterBeforeRelease,
// then g_dialog and then g_json are destroyed. Later calls release nothing.
void ReleaseGlobals();

// Procedures that ReleaseGlobals runs before it releases anything, in
// registration order; one already listed is not added again. For whatever
// still uses the globals at exit (a running load worker).
void RegisterBeforeRelease(gui::Procedure procedure);

// Creation-completed handler of the main window: marks the worker as
// running and binds the drop target to the window.
void OnWindowCreated();

// The drop target's handlers; a drop changes nothing.
void OnTextDropped(const Text& text);
void OnFilesDropped(const Text& files);

// Globals, exit procedure, main window, message loop and shut-down, on a
// runtime already started. Gives the exit code.
int RunSession(gui::Runtime& runtime);

// The whole program: starts the runtime, then runs the session.
int RunProgram(int argc, char** argv);
