#pragma once
// A request to stop from outside (SIGTERM from `kill` or a service manager, SIGINT from Ctrl+C
// in the terminal, SIGHUP when the terminal goes away) ends the program the normal way: the
// event loop returns and the windows and the port are taken down in order, instead of the
// process dying in the middle of a frame.

namespace tarvel::platform {

// From now on those signals make the running QCoreApplication::exec() return 0. The handler
// only writes to a pipe; the quit itself happens on the application's thread. Call once, after
// the application object exists. Where the platform has no such signals it does nothing.
void QuitOnStopSignals();

}  // namespace tarvel::platform
