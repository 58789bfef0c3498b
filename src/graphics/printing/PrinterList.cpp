#include "graphics/printing/PrinterList.h"

#include <QPrinterInfo>

namespace kvf::graphics {

QStringList SystemPrinterList::InstalledPrinters() const { return QPrinterInfo::availablePrinterNames(); }

QString SystemPrinterList::DefaultPrinter() const { return QPrinterInfo::defaultPrinterName(); }

}  // namespace kvf::graphics
