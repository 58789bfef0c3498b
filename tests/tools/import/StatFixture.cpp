#include "StatFixture.h"

#include <QFile>

#include <readstat.h>

namespace kvf::import::test {

namespace {

ssize_t WriteBytes(const void* data, size_t length, void* context) {
  return static_cast<QFile*>(context)->write(static_cast<const char*>(data), static_cast<qint64>(length));
}

}  // namespace

bool WriteSurvey(const QString& path, Format format) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  readstat_writer_t* w = readstat_writer_init();
  readstat_set_data_writer(w, WriteBytes);
  readstat_writer_set_file_label(w, "Fixture survey");
  const bool spss = format == Format::Sav || format == Format::Zsav;
  const bool labels = spss || format == Format::Dta;
  const readstat_type_t numeric = format == Format::Dta ? READSTAT_TYPE_INT32 : READSTAT_TYPE_DOUBLE;
  readstat_variable_t* gender = readstat_add_variable(w, "gender", numeric, 0);
  readstat_variable_t* sat = readstat_add_variable(w, "sat", numeric, 0);
  readstat_variable_t* id = readstat_add_variable(w, "id", numeric, 0);
  readstat_variable_t* remark = spss ? readstat_add_variable(w, "remark", READSTAT_TYPE_STRING, 40) : nullptr;
  readstat_variable_set_label(gender, "Gender");
  readstat_variable_set_label(sat, "Satisfaction with the service");
  if (labels) {
    readstat_label_set_t* g = readstat_add_label_set(w, numeric, "gender_l");
    readstat_label_int32_value(g, 1, "Female");
    readstat_label_int32_value(g, 2, "Male");
    readstat_variable_set_label_set(gender, g);
    readstat_label_set_t* s = readstat_add_label_set(w, numeric, "sat_l");
    const char* names[] = {"Very poor", "Poor", "Fair", "Good", "Very good"};
    for (int c = 1; c <= 5; ++c) readstat_label_int32_value(s, c, names[c - 1]);
    readstat_label_int32_value(s, 9, "Don't know");
    readstat_variable_set_label_set(sat, s);
  }
  if (spss) {
    readstat_variable_add_missing_double_value(sat, 9);
    readstat_variable_set_measure(gender, READSTAT_MEASURE_NOMINAL);
    readstat_variable_set_measure(sat, READSTAT_MEASURE_ORDINAL);
  }
  readstat_error_t e = READSTAT_OK;
  switch (format) {
    case Format::Sav:
      e = readstat_begin_writing_sav(w, &file, kRespondents);
      break;
    case Format::Zsav:
      readstat_writer_set_compression(w, READSTAT_COMPRESS_BINARY);
      e = readstat_begin_writing_sav(w, &file, kRespondents);
      break;
    case Format::Dta:
      e = readstat_begin_writing_dta(w, &file, kRespondents);
      break;
    case Format::Xpt:
      e = readstat_begin_writing_xport(w, &file, kRespondents);
      break;
    case Format::Sas7bdat:
      e = readstat_begin_writing_sas7bdat(w, &file, kRespondents);
      break;
  }
  auto put = [&](readstat_variable_t* v, double x) {
    if (std::isnan(x)) return readstat_insert_missing_value(w, v);
    return numeric == READSTAT_TYPE_INT32 ? readstat_insert_int32_value(w, v, static_cast<int32_t>(x))
                                          : readstat_insert_double_value(w, v, x);
  };
  for (int r = 0; e == READSTAT_OK && r < kRespondents; ++r) {
    const int raw = SatRaw(r);
    // Only SPSS declares 9 missing: elsewhere "Don't know" is left empty.
    const double satValue = raw == 0 || (raw == 9 && !spss) ? NAN : raw;
    e = readstat_begin_row(w);
    if (e == READSTAT_OK) e = put(gender, GenderCode(r));
    if (e == READSTAT_OK) e = put(sat, satValue);
    if (e == READSTAT_OK) e = put(id, 1000 + r);
    if (e == READSTAT_OK && remark != nullptr)
      e = readstat_insert_string_value(w, remark, r == 3 ? "Friendly staff" : "");
    if (e == READSTAT_OK) e = readstat_end_row(w);
  }
  if (e == READSTAT_OK) e = readstat_end_writing(w);
  readstat_writer_free(w);
  return e == READSTAT_OK;
}

}  // namespace kvf::import::test
