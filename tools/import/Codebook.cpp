#include "import/Codebook.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

#include "import/ImportStatus.h"

namespace kvf::import {

namespace {

Status BadEntry(const QString& fileName, const QString& where, const QString& english, const QString& swedish) {
  return Status::Failure({QStringLiteral("%1: %2: %3").arg(fileName, where, english),
                          QStringLiteral("%1: %2: %3").arg(fileName, where, swedish)},
                         kInputError);
}

bool CodeOf(const QString& key, double* code) {
  bool ok = false;
  *code = key.trimmed().toDouble(&ok);
  return ok && std::isfinite(*code);
}

}  // namespace

Result<Codebook> ParseCodebook(const QByteArray& json, const QString& fileName) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(json, &error);
  if (error.error != QJsonParseError::NoError) {
    return BadEntry(fileName, QStringLiteral("offset %1").arg(error.offset), error.errorString(), error.errorString());
  }
  if (!document.isObject()) {
    return BadEntry(fileName, QStringLiteral("the top"), QStringLiteral("expected an object"),
                    QStringLiteral("ett objekt väntades"));
  }
  Codebook codebook;
  const QJsonObject root = document.object();
  for (auto it = root.begin(); it != root.end(); ++it) {
    if (it.key() != QLatin1String("variables")) {
      return BadEntry(fileName, it.key(), QStringLiteral("unknown key"), QStringLiteral("okänd nyckel"));
    }
  }
  const QJsonValue variables = root.value(QLatin1String("variables"));
  if (variables.isUndefined()) return codebook;
  if (!variables.isObject()) {
    return BadEntry(fileName, QStringLiteral("variables"), QStringLiteral("expected an object"),
                    QStringLiteral("ett objekt väntades"));
  }
  const QJsonObject all = variables.toObject();
  for (auto v = all.begin(); v != all.end(); ++v) {
    const QString where = QStringLiteral("variables.%1").arg(v.key());
    if (!v.value().isObject()) {
      return BadEntry(fileName, where, QStringLiteral("expected an object"), QStringLiteral("ett objekt väntades"));
    }
    CodebookEntry entry;
    const QJsonObject fields = v.value().toObject();
    for (auto f = fields.begin(); f != fields.end(); ++f) {
      const QString at = where + u'.' + f.key();
      if (f.key() == QLatin1String("label")) {
        if (!f.value().isString()) {
          return BadEntry(fileName, at, QStringLiteral("expected a text"), QStringLiteral("en text väntades"));
        }
        entry.label = f.value().toString();
      } else if (f.key() == QLatin1String("values")) {
        if (!f.value().isObject()) {
          return BadEntry(fileName, at, QStringLiteral("expected an object"), QStringLiteral("ett objekt väntades"));
        }
        const QJsonObject values = f.value().toObject();
        for (auto c = values.begin(); c != values.end(); ++c) {
          double code = 0;
          if (!CodeOf(c.key(), &code)) {
            return BadEntry(fileName, at + u'.' + c.key(), QStringLiteral("the code is not a number"),
                            QStringLiteral("koden är inget tal"));
          }
          if (!c.value().isString()) {
            return BadEntry(fileName, at + u'.' + c.key(), QStringLiteral("expected a text"),
                            QStringLiteral("en text väntades"));
          }
          entry.values[code] = c.value().toString();
        }
      } else if (f.key() == QLatin1String("missing")) {
        if (!f.value().isArray()) {
          return BadEntry(fileName, at, QStringLiteral("expected an array of numbers"),
                          QStringLiteral("en lista med tal väntades"));
        }
        for (const QJsonValue& m : f.value().toArray()) {
          if (!m.isDouble()) {
            return BadEntry(fileName, at, QStringLiteral("expected an array of numbers"),
                            QStringLiteral("en lista med tal väntades"));
          }
          entry.missing.push_back(m.toDouble());
        }
      } else {
        return BadEntry(fileName, at, QStringLiteral("unknown key"), QStringLiteral("okänd nyckel"));
      }
    }
    codebook.variables[v.key()] = std::move(entry);
  }
  return codebook;
}

Status ApplyCodebook(const Codebook& codebook, const QString& fileName, SourceData& source) {
  QHash<QString, SourceVariable*> byName;
  for (SourceVariable& v : source.variables) byName.insert(v.name, &v);
  for (const auto& [name, entry] : codebook.variables) {
    SourceVariable* target = byName.value(name, nullptr);
    if (target == nullptr) {
      return Status::Failure({QStringLiteral("%1: the data has no variable \"%2\"").arg(fileName, name),
                              QStringLiteral("%1: data saknar variabeln \"%2\"").arg(fileName, name)},
                             kUsageError);
    }
    if (entry.label) target->label = *entry.label;
    for (const auto& [code, label] : entry.values) target->valueLabels[code] = label;
    target->missingValues.insert(target->missingValues.end(), entry.missing.begin(), entry.missing.end());
    // An entry with only a label describes the variable but says nothing of
    // its codes: the variable then qualifies by its values like any other.
    if (!entry.values.empty() || !entry.missing.empty()) target->hasCodebookEntry = true;
  }
  return Status::Ok();
}

}  // namespace kvf::import
