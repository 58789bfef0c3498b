#pragma once
// The mapping an import proposes (the JSON of `kvf-make import --dry-run`),
// shown for the user to accept or adjust: one row per question with its
// variable and text, check boxes for dimension and index, and its block
// (an editable name; rows with the same name form one block). The document
// title can be edited too; variables that become no question are listed.
#include <QDialog>
#include <QJsonObject>

class QLineEdit;
class QTableWidget;

namespace kvf::app {

class ImportMappingDialog : public QDialog {
 public:
  ImportMappingDialog(const QJsonObject& mapping, const QString& inputName, QWidget* parent = nullptr);

  // The mapping with the user's choices, in the form `--mapping` reads.
  QJsonObject Mapping() const;

  QTableWidget* Table() const { return table_; }

 private:
  QJsonObject mapping_;
  QTableWidget* table_ = nullptr;
  QLineEdit* title_ = nullptr;
};

}  // namespace kvf::app
