#pragma once
// The printers the program can print on: the installed printers and the
// default one. The viewer asks once at start-up whether there is a default
// printer (without one, printing is unavailable); the print dialogs list
// the installed printers. Callers take a PrinterList, so tests hand in
// printers of their own.
#include <QString>
#include <QStringList>

namespace kvf::graphics {

class PrinterList {
 public:
  virtual ~PrinterList() = default;
  // The names of the installed printers, in the system's order.
  virtual QStringList InstalledPrinters() const = 0;
  // The name of the default printer; empty when there is none.
  virtual QString DefaultPrinter() const = 0;

  bool HasDefaultPrinter() const { return !DefaultPrinter().isEmpty(); }
};

// The system's printers through Qt Print Support (CUPS on Linux). Each call
// asks the system afresh.
// REQUIRES: a QGuiApplication exists.
class SystemPrinterList final : public PrinterList {
 public:
  QStringList InstalledPrinters() const override;
  QString DefaultPrinter() const override;
};

}  // namespace kvf::graphics
