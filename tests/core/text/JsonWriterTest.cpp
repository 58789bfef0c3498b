#include "core/text/JsonWriter.h"

#include <gtest/gtest.h>

#include <limits>

namespace kvf {
namespace {

TEST(JsonWriter, KeepsKeyOrderAndSeparatesElements) {
  JsonWriter json;
  json.BeginObject();
  json.Key("z");
  json.Value(int32_t{1});
  json.Key("a");
  json.BeginArray();
  json.Value(true);
  json.Value(false);
  json.Null();
  json.BeginArray();
  json.EndArray();
  json.EndArray();
  json.Key("o");
  json.BeginObject();
  json.EndObject();
  json.EndObject();
  EXPECT_EQ(json.Text(), QByteArray(R"({"z":1,"a":[true,false,null,[]],"o":{}})"));
}

TEST(JsonWriter, NumbersAndStrings) {
  JsonWriter json;
  json.BeginArray();
  for (const double value : {-1.0, 0.1, 3.75, 1.0 / 3.0, 1e300, std::numeric_limits<double>::quiet_NaN()})
    json.Value(value);  // shortest round-trip form; NaN is null
  json.Value(std::numeric_limits<int32_t>::min());
  json.Value(std::numeric_limits<int32_t>::max());
  json.Value(QStringLiteral("å \"q\" \\ \n\t\x01"));  // escaped, as UTF-8
  json.EndArray();
  EXPECT_EQ(json.Text(), QByteArray("[-1,0.1,3.75,0.3333333333333333,1e+300,null,-2147483648,2147483647,"
                                    "\"\xC3\xA5 \\\"q\\\" \\\\ \\n\\t\\u0001\"]"));
}

}  // namespace
}  // namespace kvf
