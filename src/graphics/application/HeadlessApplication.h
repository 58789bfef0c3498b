#pragma once
// The application object of a program that draws but never shows a window
// (kvf). It is a QApplication, not a bare QGuiApplication, because Qt
// Charts' charts are widgets underneath and crash without one. It runs on
// the "offscreen" platform unless the user chose a platform in
// QT_QPA_PLATFORM: the program needs no display, and its pictures do not
// depend on the screen it happens to run on (the offscreen screen is a
// 96-dpi one, the metafiles' reference).
#include <QApplication>
#include <memory>

namespace kvf::graphics {

// REQUIRES: called once, before any other Qt object exists; argc and argv
// outlive the application (they are main's).
std::unique_ptr<QApplication> CreateHeadlessApplication(int& argc, char** argv);

}  // namespace kvf::graphics
