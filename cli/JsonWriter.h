// A small JSON writer for the --json output: objects, arrays, strings, booleans and
// numbers, written compactly on one line. Text on Windows is in the ANSI code page;
// bytes above 0x7F are written as \u00XX escapes (their Latin-1 reading), so the
// output is always valid JSON in plain ASCII whatever the device names hold.
#pragma once

#include <string>
#include <vector>

namespace cli {

class JsonWriter {
  public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    // The name of the next member of the open object.
    JsonWriter& Key(const std::string& name);
    JsonWriter& String(const std::string& text);
    JsonWriter& Bool(bool value);
    JsonWriter& Number(long long value);
    // A number with that many decimals ("0.998"); a value that is not finite is null.
    // decimals: 0 to 3 (more are written with 3).
    JsonWriter& Decimal(double value, int decimals);
    JsonWriter& Null();

    const std::string& Text() const { return text_; }

  private:
    void BeforeValue();
    void Escaped(const std::string& text);

    std::string text_;
    // One entry per open object or array: whether it has a member already.
    std::vector<bool> hasMember_;
    bool afterKey_ = false;
};

}  // namespace cli
