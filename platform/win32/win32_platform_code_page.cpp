#include "platform/win32/win32_platform.h"

#include <windows.h>

#include "platform/win32/strconv_win.h"

namespace kelvarion {
namespace {

// Converts with WC_NO_BEST_FIT_CHARS so that nothing becomes a look-alike
// ("ő" -> "o"); *lossy is set when the code page had to put in its default
// character. Returns false only when the call itself fails.
bool to_acp(std::wstring_view text, std::string* bytes, bool* lossy) {
    BOOL used_default = FALSE;
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr,
                                         0, nullptr, &used_default);
    if (size <= 0) return false;
    std::string out(static_cast<size_t>(size), '\0');
    used_default = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, out.data(), size,
                            nullptr, &used_default) != size) {
        return false;
    }
    *bytes = std::move(out);
    *lossy = used_default != FALSE;
    return true;
}

bool is_high_surrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The first character of `text` that the code page cannot hold, converted
// one at a time (a surrogate pair is one character).
char32_t first_unmappable(std::wstring_view text) {
    for (size_t i = 0; i < text.size();) {
        size_t units = 1;
        char32_t c = static_cast<char16_t>(text[i]);
        if (is_high_surrogate(text[i]) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            units = 2;
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(text[i + 1]) - 0xDC00);
        }
        std::string ignored;
        bool lossy = false;
        if (!to_acp(text.substr(i, units), &ignored, &lossy) || lossy) return c;
        i += units;
    }
    return 0xFFFD;  // lost only in context (a stateful code page): name no character
}

}  // namespace

AnsiText Win32Platform::encode_ansi(std::string_view utf8) {
    AnsiText result;
    if (utf8.empty()) return result;
    const std::wstring text = widen(utf8);
    // A system whose ANSI code page is UTF-8 holds every character; that code
    // page also refuses a used-default flag.
    if (GetACP() == CP_UTF8) {
        result.bytes = narrow(text);
        return result;
    }
    bool lossy = false;
    if (!to_acp(text, &result.bytes, &lossy)) {
        result.bytes.clear();
        result.unmappable = 0xFFFD;
        return result;
    }
    if (lossy) result.unmappable = first_unmappable(text);
    return result;
}

std::string Win32Platform::decode_ansi(std::string_view bytes) {
    if (bytes.empty()) return std::string();
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0) return std::string();
    std::wstring text(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), size);
    return narrow(text);
}

}  // namespace kelvarion
