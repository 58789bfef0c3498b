#include "ImportCommand.h"

#include <QFileInfo>

#include <cstdio>

#include "core/text/Language.h"
#include "import/ImportStatus.h"
#include "import/Importer.h"

namespace {

using kvf::import::kUsageError;

const char* const kImportUsage =
    "usage: kvf-make import INPUT [options] -o OUT.kvf\n"
    "       kvf-make import INPUT [options] --dry-run\n"
    "INPUT: .sav .zsav .por .dta .sas7bdat .xpt, or .csv/.tsv/.txt (comma, semicolon or tab separated)\n"
    "options: --codebook FILE.json  --mapping FILE.json  --dimension VAR (repeatable)\n"
    "         --index VAR,...  --index-all-scales  --block NAME=VAR,... (repeatable)  --blocks-by-prefix\n"
    "         --flex VAR  --comment VAR  --title TEXT  --project TEXT  --language en|sv  --minimum N\n";

void Print(const QString& message) { std::fprintf(stderr, "kvf-make: %s\n", qPrintable(message)); }

int Usage(const QString& english, const QString& swedish) {
  Print(kvf::Swedish() ? swedish : english);
  std::fputs(kImportUsage, stderr);
  return kUsageError;
}

int Fail(const kvf::Status& status) {
  Print(status.Text());
  return status.Code();
}

}  // namespace

int RunImportCommand(const QStringList& args) {
  kvf::SetSwedish(kvf::SwedishFromEnvironment());
  if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
    std::fputs(kImportUsage, stdout);
    return 0;
  }
  kvf::import::ImportRequest request;
  kvf::import::ImportOptions& o = request.options;
  QString output;
  bool dryRun = false;
  bool mappingOptions = false;
  for (qsizetype k = 0; k < args.size(); ++k) {
    const QString& a = args[k];
    const bool takesValue =
        a == QLatin1String("-o") || a == QLatin1String("--codebook") || a == QLatin1String("--mapping") ||
        a == QLatin1String("--dimension") || a == QLatin1String("--index") || a == QLatin1String("--block") ||
        a == QLatin1String("--flex") || a == QLatin1String("--comment") || a == QLatin1String("--title") ||
        a == QLatin1String("--project") || a == QLatin1String("--language") || a == QLatin1String("--minimum");
    if (takesValue && k + 1 >= args.size()) {
      return Usage(QStringLiteral("%1 needs a value").arg(a), QStringLiteral("%1 behöver ett värde").arg(a));
    }
    const QString value = takesValue ? args[++k] : QString();
    if (a == QLatin1String("-o")) {
      output = value;
    } else if (a == QLatin1String("--codebook")) {
      request.codebook = value;
    } else if (a == QLatin1String("--mapping")) {
      request.mappingFile = value;
    } else if (a == QLatin1String("--dry-run")) {
      dryRun = true;
    } else if (a == QLatin1String("--dimension")) {
      o.dimensions.push_back(value);
      mappingOptions = true;
    } else if (a == QLatin1String("--index")) {
      o.indexes += value.split(u',', Qt::SkipEmptyParts);
      mappingOptions = true;
    } else if (a == QLatin1String("--index-all-scales")) {
      o.indexAllScales = true;
      mappingOptions = true;
    } else if (a == QLatin1String("--block")) {
      const qsizetype eq = value.indexOf(u'=');
      if (eq <= 0) {
        return Usage(QStringLiteral("--block needs NAME=VAR,..., not \"%1\"").arg(value),
                     QStringLiteral("--block behöver NAMN=VAR,..., inte \"%1\"").arg(value));
      }
      o.blocks.emplace_back(value.left(eq), value.mid(eq + 1).split(u',', Qt::SkipEmptyParts));
      mappingOptions = true;
    } else if (a == QLatin1String("--blocks-by-prefix")) {
      o.blocksByPrefix = true;
      mappingOptions = true;
    } else if (a == QLatin1String("--flex")) {
      o.flex = value;
      mappingOptions = true;
    } else if (a == QLatin1String("--comment")) {
      o.comment = value;
      mappingOptions = true;
    } else if (a == QLatin1String("--title")) {
      o.title = value;
      mappingOptions = true;
    } else if (a == QLatin1String("--project")) {
      o.project = value;
      mappingOptions = true;
    } else if (a == QLatin1String("--language")) {
      if (value != QLatin1String("en") && value != QLatin1String("sv")) {
        return Usage(QStringLiteral("--language is en or sv, not \"%1\"").arg(value),
                     QStringLiteral("--language är en eller sv, inte \"%1\"").arg(value));
      }
      o.language = value;
      mappingOptions = true;
    } else if (a == QLatin1String("--minimum")) {
      bool ok = false;
      o.minimum = value.toInt(&ok);
      if (!ok || o.minimum < 0 || o.minimum > 1000000) {
        return Usage(QStringLiteral("--minimum needs a number from 0 to 1000000, not \"%1\"").arg(value),
                     QStringLiteral("--minimum behöver ett tal från 0 till 1000000, inte \"%1\"").arg(value));
      }
      mappingOptions = true;
    } else if (a.startsWith(u'-') || !request.input.isEmpty()) {
      return Usage(QStringLiteral("unexpected argument \"%1\"").arg(a),
                   QStringLiteral("oväntat argument \"%1\"").arg(a));
    } else {
      request.input = a;
    }
  }
  if (request.input.isEmpty()) {
    return Usage(QStringLiteral("the input file is missing"), QStringLiteral("indatafilen saknas"));
  }
  if (output.isEmpty() == !dryRun) {
    return Usage(QStringLiteral("give either -o OUT.kvf or --dry-run"),
                 QStringLiteral("ange antingen -o UT.kvf eller --dry-run"));
  }
  if (mappingOptions && !request.mappingFile.isEmpty()) {
    return Usage(QStringLiteral("--mapping holds the whole mapping; it cannot be combined with mapping options"),
                 QStringLiteral("--mapping innehåller hela mappningen; den kan inte kombineras med mappningsflaggor"));
  }
  if (o.project.isEmpty()) o.project = QFileInfo(request.input).completeBaseName();

  kvf::Result<kvf::import::SourceData> source = kvf::import::ReadSource(request.input, request.codebook);
  if (!source) return Fail(source.Error());
  kvf::Result<kvf::import::ImportMapping> mapping = kvf::import::MappingFor(source.Value(), request);
  if (!mapping) return Fail(mapping.Error());
  if (dryRun) {
    const QByteArray json = kvf::import::MappingToJson(source.Value(), mapping.Value());
    std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout);
    return 0;
  }
  if (kvf::Status s = kvf::import::WriteImportedDocument(source.Value(), mapping.Value(), request.input, output); !s) {
    return Fail(s);
  }
  return 0;
}
