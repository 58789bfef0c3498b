#include "app/import/ImportMappingDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHash>
#include <QHeaderView>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/text/BiText.h"

namespace kvf::app {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

enum Column { kVariable, kText, kDimension, kIndex, kBlock, kColumnCount };

QSet<QString> NameSet(const QJsonValue& list) {
  QSet<QString> names;
  for (const QJsonValue& v : list.toArray()) names.insert(v.toString());
  return names;
}

QTableWidgetItem* CheckItem(bool checked) {
  auto* item = new QTableWidgetItem;
  item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
  item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  return item;
}

QTableWidgetItem* TextItem(const QString& text, bool editable) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsSelectable : Qt::ItemIsEnabled);
  return item;
}

}  // namespace

ImportMappingDialog::ImportMappingDialog(const QJsonObject& mapping, const QString& inputName, QWidget* parent)
    : QDialog(parent), mapping_(mapping) {
  setObjectName(S("importMappingDialog"));
  setWindowTitle(BiText{S("Import ") + inputName, S("Importera ") + inputName}.Get());
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  title_ = new QLineEdit(mapping.value(QLatin1String("title")).toString(), this);
  title_->setObjectName(S("title"));
  form->addRow(BiText{S("Title:"), S("Titel:")}.Get(), title_);
  layout->addLayout(form);

  const QJsonArray questions = mapping.value(QLatin1String("questions")).toArray();
  const QSet<QString> dimensions = NameSet(mapping.value(QLatin1String("dimensions")));
  const QSet<QString> indexes = NameSet(mapping.value(QLatin1String("indexes")));
  QHash<QString, QString> blockOf;
  for (const QJsonValue& b : mapping.value(QLatin1String("blocks")).toArray()) {
    for (const QJsonValue& v : b[QLatin1String("variables")].toArray())
      blockOf.insert(v.toString(), b[QLatin1String("name")].toString());
  }
  table_ = new QTableWidget(static_cast<int>(questions.size()), kColumnCount, this);
  table_->setObjectName(S("questions"));
  table_->setHorizontalHeaderLabels({BiText{S("Variable"), S("Variabel")}.Get(),
                                     BiText{S("Question"), S("Fråga")}.Get(),
                                     BiText{S("Dimension"), S("Dimension")}.Get(), BiText{S("Index"), S("Index")}.Get(),
                                     BiText{S("Block"), S("Block")}.Get()});
  table_->verticalHeader()->hide();
  for (int row = 0; row < questions.size(); ++row) {
    const QString name = questions[row][QLatin1String("variable")].toString();
    table_->setItem(row, kVariable, TextItem(name, false));
    table_->setItem(row, kText, TextItem(questions[row][QLatin1String("text")].toString(), false));
    table_->setItem(row, kDimension, CheckItem(dimensions.contains(name)));
    table_->setItem(row, kIndex, CheckItem(indexes.contains(name)));
    table_->setItem(row, kBlock, TextItem(blockOf.value(name), true));
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table_);

  const QJsonArray skipped = mapping.value(QLatin1String("skipped")).toArray();
  if (!skipped.isEmpty()) {
    QStringList names;
    for (const QJsonValue& s : skipped) names << s[QLatin1String("variable")].toString();
    auto* note = new QLabel(
        BiText{S("Not imported (no question): "), S("Importeras inte (ingen fråga): ")}.Get() + names.join(S(", ")),
        this);
    note->setWordWrap(true);
    layout->addWidget(note);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(BiText{S("Import"), S("Importera")}.Get());
  buttons->button(QDialogButtonBox::Cancel)->setText(BiText{S("Cancel"), S("Avbryt")}.Get());
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(720, 480);
}

QJsonObject ImportMappingDialog::Mapping() const {
  QJsonObject out = mapping_;
  out[QLatin1String("title")] = title_->text();
  QJsonArray dimensions, indexes;
  QStringList blockNames;
  QHash<QString, QJsonArray> members;
  for (int row = 0; row < table_->rowCount(); ++row) {
    const QString name = table_->item(row, kVariable)->text();
    if (table_->item(row, kDimension)->checkState() == Qt::Checked) dimensions.append(name);
    if (table_->item(row, kIndex)->checkState() == Qt::Checked) indexes.append(name);
    const QString block = table_->item(row, kBlock)->text().trimmed();
    if (block.isEmpty()) continue;
    if (!members.contains(block)) blockNames << block;
    members[block].append(name);
  }
  QJsonArray blocks;
  for (const QString& block : blockNames)
    blocks.append(QJsonObject{{S("name"), block}, {S("variables"), members.value(block)}});
  out[QLatin1String("dimensions")] = dimensions;
  out[QLatin1String("indexes")] = indexes;
  out[QLatin1String("blocks")] = blocks;
  return out;
}

}  // namespace kvf::app
