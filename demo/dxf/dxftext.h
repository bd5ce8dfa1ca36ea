#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace Demo {

// Turns the raw bytes of DXF strings into text: UTF-8 for files written by
// AC1021 (2007) and later, the drawing's code page for older ones, and
// \U+XXXX escapes resolved in both.
class DxfText
{
public:
    // version is $ACADVER ("AC1009"...), codePage is $DWGCODEPAGE ("ANSI_1252"...).
    DxfText(const QByteArray& version, const QByteArray& codePage);

    QString decode(const QByteArray& raw) const;
    // The bytes a DXF file of this version stores for text, which decode()
    // turns back into text: characters the code page lacks, and a backslash
    // that would start an escape, become \U+XXXX escapes.
    QByteArray encode(const QString& text) const;
    // Whether the code page holds every character of text (always for UTF-8).
    bool canEncode(const QString& text) const;
    // Whether encode() keeps every character of text: an escape holds four
    // hex digits, so a code page file cannot keep a character beyond
    // U+FFFF; no file keeps NUL or half a surrogate pair.
    bool canStore(const QString& text) const;
    bool isUtf8() const { return m_utf8; }
    // Name of the codec used for files before 2007.
    QByteArray codecName() const;

    static QString resolveEscapes(const QString& text);
    // The %% codes of CAD texts: degree, plus/minus, diameter, percent, and
    // the underline and overline switches, which a plain view leaves out.
    static QString controlCodes(const QString& text);
    // Multi-line text without its formatting codes; paragraph breaks become '\n'.
    static QString plainMText(const QString& text);
    // The Qt codec name for a $DWGCODEPAGE value; windows-1252 when unknown.
    static QByteArray codecNameForCodePage(const QByteArray& codePage);

private:
    class Codec;

    bool m_utf8 = false;
    bool m_asciiAsIs = false; // printable ASCII bytes read as the same characters
    QByteArray m_codecName;
    std::shared_ptr<const Codec> m_codec;
};

} // namespace Demo
