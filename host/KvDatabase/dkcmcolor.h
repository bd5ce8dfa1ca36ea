#pragma once

#include "kvdatabase_export.h"

#include <cstdint>
#include <string>

// A drawing color: an RGB value with the name the host shows for it
// ("red", "7", "12,34,56", a color book name...). Copied by value; the
// display name belongs to the color object.
class KVDATABASE_EXPORT DkCmColor
{
public:
    DkCmColor();
    DkCmColor(std::uint8_t r, std::uint8_t g, std::uint8_t b);

    std::uint8_t red() const { return m_r; }
    std::uint8_t green() const { return m_g; }
    std::uint8_t blue() const { return m_b; }
    void setRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b);

    // Sets one of the seven named index colors (1 red ... 7 white); any other
    // index keeps the RGB and shows the index number as the name.
    void setColorIndex(int index);
    int colorIndex() const { return m_index; }

    const wchar_t* colorNameForDisplay() const { return m_displayName.c_str(); }
    void setDisplayName(const std::wstring& name) { m_displayName = name; }

private:
    std::uint8_t m_r = 255;
    std::uint8_t m_g = 255;
    std::uint8_t m_b = 255;
    int m_index = 0;
    std::wstring m_displayName;
};
