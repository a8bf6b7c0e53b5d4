#pragma once
// The GUI runtime of the window thread: its start, the message loop, waits
// that keep dispatching, the exit list and the program's folder.
#include <memory>

#include "platform/gui_form.h"
#include "platform/text.h"
#include "platform/win_types.h"

using HRESULT = LONG;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;

// OLE of the calling thread: a count per thread, as Windows keeps it.
// S_OK for the first call on a thread, S_FALSE for further ones.
HRESULT OleInitialize(void* reserved);
void OleUninitialize();

// Milliseconds since an arbitrary start; wraps around like Windows' count.
DWORD GetTickCount();

namespace gui {

// Whether OLE is initialised on the calling thread.
bool IsOleInitialized();

// One per process, on the thread that becomes the window thread. Starts the
// toolkit and OLE there.
class Runtime {
 public:
  Runtime(int argc, char** argv);
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  // Dispatches until the last loaded window has been destroyed (or at once
  // when that already happened), then shuts down. Gives the exit code.
  int RunMessageLoop();

  // What follows the loop: calls from other threads fail from now on,
  // windows still loaded are destroyed, the exit list runs, OLE is
  // uninitialised. Runs once; later calls do nothing.
  void ShutDown();

  // For tests: start a new session after ShutDown.
  void Restart();

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

// Adds a procedure to the exit list; one that is listed already is not
// added again. The list runs in registration order after the loop ends.
void AtExit(Procedure procedure);

// True from the moment the loop was asked to end (the last loaded window
// was destroyed) until the runtime restarts. Waiting code stops waiting then.
bool IsQuitting();

// Dispatches the window thread's pending events, without blocking.
void ProcessPendingMessages();

// Keeps dispatching until more than the given time has passed by
// GetTickCount; 0 or less returns at once without dispatching. Ends early
// once IsQuitting, so that closing the window ends the process promptly.
// Sleeps while nothing is pending.
void WaitWithMessagePump(int milliseconds);

// The folder that holds the program file, without a trailing separator.
Text ProgramFolder();

}  // namespace gui
