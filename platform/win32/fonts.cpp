#include "platform/win32/fonts.h"

#include <cstring>
#include <map>
#include <tuple>

#include "platform/win32/screen_scale.h"

namespace win32backend {

HFONT FontFor(const TFont& font) {
    using Key = std::tuple<std::string, int, int>;
    static std::map<Key, HFONT> fonts;
    const Key key{font.Name, font.Height, font.Charset};
    auto it = fonts.find(key);
    if (it != fonts.end()) return it->second;
    LOGFONTA description{};
    // Negative: the characters' height, positive: the cell's; both at 96 dpi in the layout.
    description.lfHeight = Scaled(font.Height);
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = static_cast<BYTE>(font.Charset);
    description.lfQuality = DEFAULT_QUALITY;
    strncpy(description.lfFaceName, font.Name.c_str(), LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectA(&description);
    if (handle == nullptr) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts.emplace(key, handle);
    return handle;
}

}  // namespace win32backend
