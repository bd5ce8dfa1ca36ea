#include "dkcmcolor.h"

DkCmColor::DkCmColor()
{
    setColorIndex(7);
}

DkCmColor::DkCmColor(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    setRGB(r, g, b);
}

void DkCmColor::setRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    m_r = r;
    m_g = g;
    m_b = b;
    m_index = 0;
    m_displayName = std::to_wstring(r) + L"," + std::to_wstring(g) + L"," + std::to_wstring(b);
}

void DkCmColor::setColorIndex(int index)
{
    struct Named { const wchar_t* name; std::uint8_t r, g, b; };
    static const Named named[] = {
        {L"red", 255, 0, 0},    {L"yellow", 255, 255, 0}, {L"green", 0, 255, 0},
        {L"cyan", 0, 255, 255}, {L"blue", 0, 0, 255},     {L"magenta", 255, 0, 255},
        {L"white", 255, 255, 255},
    };
    m_index = index;
    if (index >= 1 && index <= 7) {
        const Named& n = named[index - 1];
        m_r = n.r;
        m_g = n.g;
        m_b = n.b;
        m_displayName = n.name;
    } else {
        m_displayName = std::to_wstring(index);
    }
}
