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

TEST(JsonWriter, DoublesUseShortestRoundTripForm) {
  JsonWriter json;
  json.BeginArray();
  json.Value(-1.0);
  json.Value(0.1);
  json.Value(3.75);
  json.Value(1.0 / 3.0);
  json.Value(1e300);
  json.Value(std::numeric_limits<double>::quiet_NaN());
  json.EndArray();
  EXPECT_EQ(json.Text(), QByteArray("[-1,0.1,3.75,0.3333333333333333,1e+300,null]"));
}

TEST(JsonWriter, EscapesStringsAsUtf8) {
  JsonWriter json;
  json.Value(QStringLiteral("å \"q\" \\ \n\t\x01"));
  EXPECT_EQ(json.Text(), QByteArray("\"\xC3\xA5 \\\"q\\\" \\\\ \\n\\t\\u0001\""));
}

TEST(JsonWriter, WritesInt32Extremes) {
  JsonWriter json;
  json.BeginArray();
  json.Value(std::numeric_limits<int32_t>::min());
  json.Value(std::numeric_limits<int32_t>::max());
  json.EndArray();
  EXPECT_EQ(json.Text(), QByteArray("[-2147483648,2147483647]"));
}

}  // namespace
}  // namespace kvf
