#include "json_line.h"

#include <cstdio>

namespace kelvarion::driver {

namespace {

std::string json_quote(std::string_view utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

}  // namespace

std::string json_array(const std::vector<std::string>& raw_items) {
    std::string out = "[";
    for (size_t i = 0; i < raw_items.size(); ++i) {
        if (i) out += ",";
        out += raw_items[i];
    }
    return out + "]";
}

void JsonObject::key(std::string_view k) {
    if (!body_.empty()) body_ += ",";
    body_ += json_quote(k);
    body_ += ":";
}

JsonObject& JsonObject::add(std::string_view k, std::string_view text) {
    key(k);
    body_ += json_quote(text);
    return *this;
}

JsonObject& JsonObject::add(std::string_view k, bool value) {
    key(k);
    body_ += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::add(std::string_view k, std::int64_t value) {
    key(k);
    body_ += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::add(std::string_view k, double value) {
    key(k);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", value);
    body_ += buf;
    return *this;
}

JsonObject& JsonObject::add_null(std::string_view k) {
    key(k);
    body_ += "null";
    return *this;
}

JsonObject& JsonObject::add(std::string_view k, const std::vector<int>& numbers) {
    std::vector<std::string> items;
    for (int n : numbers) items.push_back(std::to_string(n));
    return add_raw(k, json_array(items));
}

JsonObject& JsonObject::add_raw(std::string_view k, std::string_view raw) {
    key(k);
    body_ += raw;
    return *this;
}

}  // namespace kelvarion::driver
