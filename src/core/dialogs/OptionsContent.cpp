#include "core/dialogs/OptionsContent.h"

namespace kvf {

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
}  // namespace

const std::vector<OptionsListItem>& RowOrderItems() {
  static const std::vector<OptionsListItem> items = {{{S("Original"), S("Ursprunglig")}, 0},
                                                     {{S("Random"), S("Slumpmässig")}, 1},
                                                     {{S("Random per column"), S("Slumpmässig per kolumn")}, 2}};
  return items;
}

const std::vector<OptionsListItem>& GraphLegendItems() {
  static const std::vector<OptionsListItem> items = {
      {{S("None"), S("Inga")}, -1},
      {{S("Show below graph"), S("Visa under grafen")}, 6},
      {{S("Show to the right of graph"), S("Visa till höger om grafen")}, 0}};
  return items;
}

const std::vector<OptionsListItem>& GraphCopyFormatItems() {
  static const std::vector<OptionsListItem> items = {{{S("Meta file"), S("Metafil")}, 1},
                                                     {{S("Bitmap"), S("Bitmap")}, 2}};
  return items;
}

int ItemIndexOfData(const std::vector<OptionsListItem>& items, int32_t value) {
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].data == value) return static_cast<int>(i);
  return -1;
}

BiText RowOrderComment(int32_t rowOrder, int32_t threshold) {
  if (rowOrder == -1)
    return {S("The row order you select below will only be apllied to files that have not been locked to use a "
              "specific row order."),
            S("Radordningen du väljer nedan kommer endast att påverka filer som inte har blivit låsta till en "
              "specifik radordning.")};
  BiText phrase;
  switch (rowOrder) {
    case 0:
      phrase = {S("the original row order."), S("den ursprungliga radordningen.")};
      break;
    case 1:
      phrase = {S("a random row order."), S("en slumpmässig radordning.")};
      break;
    case 2:
      phrase = {S("a per column random row order."), S("en per kolumn slumpmässig radordning.")};
      break;
    default:
      phrase = {S("an undefined row order."), S("en odefinerad radordning.")};
      break;
  }
  if (threshold != -1) {
    const QString number = QString::number(threshold);
    return {S("Note thet the row order you select below won't be applied to the currently open file unless the "
              "selection size is at least ") +
                number + S(". Below that it is locked to use ") + phrase.english,
            S("Observera att den radordning du väljer nedan bara kommer att påverka den fil som är öppen just nu om "
              "urvalet är minst ") +
                number + S(", annars är den låst till att använda ") + phrase.swedish};
  }
  return {S("Note that the row order you select below won't be applied to the currently open file since it is "
            "locked to use ") +
              phrase.english,
          S("Observera att den radordning du väljer nedan inte kommer att påverka den fil som är öppen just nu "
            "eftersom den är låst till att använda ") +
              phrase.swedish};
}

BiText MaxRowsComment() {
  return {S("Since this is a Linux based system you can select any number you like below, but trying to display a "
            "large number of rows will degrade system performance."),
          S("Eftersom detta är ett Linux-baserat system kan du ange vilket tal som helst nedan, men om du försöker "
            "att visa ett stort antal rader kommer det att påverka systemets prestanda negativt.")};
}

std::optional<int32_t> ParseMaxRows(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  if (!ok || value < 1) return std::nullopt;
  return value;
}

}  // namespace kvf
