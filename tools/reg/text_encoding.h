// Text encodings of .reg files: we write UTF-8; we read UTF-8 with or without a byte order mark, and UTF-16LE
// with one, which is what the Windows tool writes.
#pragma once

#include <string>
#include <string_view>

namespace regtool {

struct DecodedText {
    std::string utf8;
    bool wasUtf16 = false;
};

// Throws ToolError for UTF-16 that is cut short or has unpaired surrogates.
DecodedText DecodeRegFileText(std::string_view bytes);

std::string Utf16LeToUtf8(std::string_view bytes);

}  // namespace regtool
