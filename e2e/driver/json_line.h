#pragma once
// Builds one JSON object on one line: the driver answers every command with
// exactly one such line, which the test harness reads back.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvarion::driver {

class JsonObject {
public:
    JsonObject& add(std::string_view key, std::string_view text);
    JsonObject& add(std::string_view key, const char* text) {
        return add(key, std::string_view(text));
    }
    JsonObject& add(std::string_view key, bool value);
    JsonObject& add(std::string_view key, std::int64_t value);
    JsonObject& add(std::string_view key, int value) { return add(key, std::int64_t{value}); }
    JsonObject& add(std::string_view key, double value);
    JsonObject& add_null(std::string_view key);
    JsonObject& add(std::string_view key, const std::vector<int>& numbers);
    // `raw` is already JSON (an object or an array).
    JsonObject& add_raw(std::string_view key, std::string_view raw);

    std::string str() const { return "{" + body_ + "}"; }

private:
    void key(std::string_view k);
    std::string body_;
};

std::string json_array(const std::vector<std::string>& raw_items);

}  // namespace kelvarion::driver
