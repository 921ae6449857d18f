// The persisted property set of the push button Command: named values that
// the host window keeps, as data, for each of its buttons, and the font
// object and colour values they hold.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace button {

// A font as the caption element holds it; the Windows side makes the GDI
// font from it at 96 dots per inch.
struct FontDescription {
    std::string face;           // in the ANSI code page, at most 31 bytes are used
    double size_points = 0;     // 9.75 points: 13 pixels
    std::int16_t weight = 400;  // 100..900, 400 regular, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    std::uint8_t charset = 0;  // 128: Shift-JIS

    bool operator==(const FontDescription& o) const {
        return face == o.face && size_points == o.size_points && weight == o.weight && italic == o.italic &&
               underline == o.underline && strikethrough == o.strikethrough && charset == o.charset;
    }
    bool operator!=(const FontDescription& o) const { return !(*this == o); }
};

// The design font of the caption and of the settings dialog's buttons:
// "ＭＳ Ｐゴシック", 9.75 points, regular, Shift-JIS.
FontDescription design_font();

// A colour value as the caption takes it: 0x00BBGGRR, or 0x800000nn for the
// system colour with index nn (0..30). Anything else cannot be set.
bool is_settable_colour(std::uint32_t colour);

// One stored value: a boolean, an integer (colours are stored as their 32
// bits), a text in the ANSI code page, or a font object.
using PropertyValue = std::variant<bool, std::int32_t, std::string, FontDescription>;

// The named values of one button, in the order they were written.
class PropertyBag {
public:
    PropertyBag() = default;
    PropertyBag(std::initializer_list<std::pair<std::string, PropertyValue>> values);

    // The stored value, or null when the set has none under `key`.
    const PropertyValue* find(const std::string& key) const;

    // Stores `value` under `key`, unless it equals `default_value`: then the
    // key is left out, and so loads back as its default.
    void write(const std::string& key, const PropertyValue& value, const PropertyValue& default_value);

    const std::vector<std::pair<std::string, PropertyValue>>& values() const { return values_; }
    bool operator==(const PropertyBag& o) const { return values_ == o.values_; }

private:
    std::vector<std::pair<std::string, PropertyValue>> values_;
};

}  // namespace button
