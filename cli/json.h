#pragma once
// A small streaming JSON writer: objects, arrays, strings, numbers with 17 significant digits, booleans, null.

#include <string>
#include <string_view>
#include <vector>

namespace kalvora {

class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view value);
    JsonWriter& Number(double value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    // Key followed by a value.
    JsonWriter& Field(std::string_view key, std::string_view value) { return Key(key).String(value); }
    JsonWriter& Field(std::string_view key, const char* value) { return Key(key).String(value); }
    JsonWriter& Field(std::string_view key, double value) { return Key(key).Number(value); }
    JsonWriter& Field(std::string_view key, int value) { return Key(key).Number(value); }
    JsonWriter& Field(std::string_view key, bool value) { return Key(key).Bool(value); }

    const std::string& Text() const { return text_; }

private:
    void BeforeValue();
    std::string text_;
    std::vector<bool> hasItems_;  // per open container: something was written already
    bool afterKey_ = false;
};

std::string JsonQuote(std::string_view value);

}  // namespace kalvora
