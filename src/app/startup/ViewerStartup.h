#pragma once
// The viewer's start-up, from the process start until the main window is
// up, in this order: hourglass, arguments, splash screen (unless
// "/AutoStart"), interface language, zlib check, the question when another
// copy runs, the program key and its policies, the default printer, the
// main window.
namespace kvf::app {

// Runs the viewer; returns the process exit code.
int RunViewer(int argc, char** argv);

}  // namespace kvf::app
