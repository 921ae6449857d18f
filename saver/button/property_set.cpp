#include "saver/button/property_set.h"

#include <algorithm>

#include "saver/shared/texts.h"

namespace button {

FontDescription design_font() {
    FontDescription font;
    font.face = texts::kDesignFontFace;
    font.size_points = 9.75;
    font.weight = 400;
    font.charset = 128;
    return font;
}

bool is_settable_colour(std::uint32_t colour) {
    constexpr std::uint32_t kSystemColour = 0x80000000u;
    constexpr std::uint32_t kLastSystemColourIndex = 30;
    if ((colour & 0xFF000000u) == 0)
        return true;
    return (colour & 0xFFFFFF00u) == kSystemColour && (colour & 0xFFu) <= kLastSystemColourIndex;
}

PropertyBag::PropertyBag(std::initializer_list<std::pair<std::string, PropertyValue>> values) : values_(values) {}

const PropertyValue* PropertyBag::find(const std::string& key) const {
    const auto it = std::find_if(values_.begin(), values_.end(), [&](const auto& v) { return v.first == key; });
    return it == values_.end() ? nullptr : &it->second;
}

void PropertyBag::write(const std::string& key, const PropertyValue& value, const PropertyValue& default_value) {
    values_.erase(std::remove_if(values_.begin(), values_.end(), [&](const auto& v) { return v.first == key; }),
                  values_.end());
    if (value != default_value)
        values_.emplace_back(key, value);
}

}  // namespace button
