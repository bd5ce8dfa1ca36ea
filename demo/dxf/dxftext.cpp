#include "dxftext.h"

#include <algorithm>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QStringDecoder>
#include <QStringEncoder>
#else
#include <QTextCodec>
#endif

namespace Demo {

// The conversions of one code page. Qt 6 dropped QTextCodec for
// QStringDecoder and QStringEncoder, which reach the same (ICU) code pages;
// this is the only place the demo tells the two Qts apart.
class DxfText::Codec
{
public:
    explicit Codec(const QByteArray& name);
    bool isValid() const;
    QString decode(const QByteArray& raw) const;
    bool canEncode(const QString& text) const;
    QByteArray encode(const QString& text) const;

private:
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QByteArray m_name;
    // Kept, as opening an ICU converter costs ten times a short decode.
    mutable QStringDecoder m_decoder;
#else
    QTextCodec* m_codec = nullptr;
#endif
};

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
DxfText::Codec::Codec(const QByteArray& name) : m_name(name), m_decoder(name.constData()) {}

bool DxfText::Codec::isValid() const
{
    return m_decoder.isValid();
}

QString DxfText::Codec::decode(const QByteArray& raw) const
{
    m_decoder.resetState(); // each DXF string stands alone
    return m_decoder.decode(raw);
}

bool DxfText::Codec::canEncode(const QString& text) const
{
    QStringEncoder encoder(m_name.constData());
    const QByteArray bytes = encoder.encode(text); // the conversion runs the encoder
    return !encoder.hasError();
}

QByteArray DxfText::Codec::encode(const QString& text) const
{
    QStringEncoder encoder(m_name.constData());
    return encoder.encode(text);
}
#else
DxfText::Codec::Codec(const QByteArray& name) : m_codec(QTextCodec::codecForName(name)) {}

bool DxfText::Codec::isValid() const
{
    return m_codec;
}

QString DxfText::Codec::decode(const QByteArray& raw) const
{
    return m_codec->toUnicode(raw);
}

bool DxfText::Codec::canEncode(const QString& text) const
{
    return m_codec->canEncode(text);
}

QByteArray DxfText::Codec::encode(const QString& text) const
{
    return m_codec->fromUnicode(text);
}
#endif

namespace {

bool isHex4(const QString& text, int from)
{
    for (int i = from; i < from + 4; ++i) {
        const QChar c = text.at(i);
        const bool hex = (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                         || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
                         || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
        if (!hex)
            return false;
    }
    return true;
}

} // namespace

DxfText::DxfText(const QByteArray& version, const QByteArray& codePage)
{
    const QByteArray v = version.trimmed().toUpper();
    bool ok = false;
    const int number = v.startsWith("AC") ? v.mid(2).toInt(&ok) : 0;
    m_utf8 = ok && number >= 1021;
    m_codecName = m_utf8 ? QByteArray("UTF-8") : codecNameForCodePage(codePage);
    m_codec = std::make_shared<const Codec>(m_codecName);
    m_asciiAsIs = m_utf8 || m_codecName.startsWith("windows-125") || m_codecName.startsWith("ISO-8859-")
                  || m_codecName == "UTF-8";
}

QByteArray DxfText::codecName() const
{
    return m_codecName;
}

QByteArray DxfText::codecNameForCodePage(const QByteArray& codePage)
{
    const QByteArray cp = codePage.trimmed().toUpper();
    QByteArray name = "windows-1252";
    if (cp.startsWith("ANSI_")) {
        const QByteArray n = cp.mid(5);
        if (n == "874")
            name = "TIS-620";
        else if (n == "932")
            name = "Shift_JIS";
        else if (n == "936")
            name = "GBK";
        else if (n == "949")
            name = "windows-949";
        else if (n == "950")
            name = "Big5";
        else if (n.startsWith("125"))
            name = "windows-" + n;
    } else if (cp.startsWith("DOS")) {
        name = "IBM" + cp.mid(3);
    } else if (cp.startsWith("ISO8859-")) {
        name = "ISO-8859-" + cp.mid(8);
    } else if (cp == "MACINTOSH") {
        name = "macintosh";
    } else if (cp == "UTF-8" || cp == "UTF8") {
        name = "UTF-8";
    }
    if (!Codec(name).isValid())
        name = "windows-1252";
    return name;
}

QString DxfText::decode(const QByteArray& raw) const
{
    // Most strings of a drawing are empty or plain ASCII, which these code
    // pages read as is: no converter needs to run for them.
    if (raw.isEmpty())
        return QString();
    if (m_asciiAsIs && std::all_of(raw.begin(), raw.end(), [](char c) { return c >= 0x20 && c <= 0x7e; }))
        return resolveEscapes(QString::fromLatin1(raw));
    return resolveEscapes(m_codec->decode(raw));
}

QByteArray DxfText::encode(const QString& text) const
{
    const QByteArray whole = m_codec->encode(text);
    if (!text.contains(QLatin1Char('\\')) && canEncode(text) && m_codec->decode(whole) == text)
        return whole;
    QByteArray out;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const QString one = pair ? text.mid(i, 2) : QString(c);
        i += pair ? 1 : 0;
        const QByteArray bytes = m_codec->encode(one);
        // A backslash is kept as itself unless it would read as an escape.
        const bool escapes = c == QLatin1Char('\\') && resolveEscapes(text.mid(i, 7)).size() == 1;
        if (!escapes && !c.isSurrogate() && !bytes.isEmpty() && m_codec->decode(bytes) == one)
            out += bytes;
        else if (!c.isSurrogate())
            out += "\\U+" + QByteArray::number(c.unicode(), 16).toUpper().rightJustified(4, '0');
        else
            out += '?'; // never stored: canStore() refuses it
    }
    return out;
}

bool DxfText::canEncode(const QString& text) const
{
    return m_utf8 || m_codec->canEncode(text);
}

bool DxfText::canStore(const QString& text) const
{
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isNull())
            return false;
        if (!c.isSurrogate())
            continue;
        if (!m_utf8 || !c.isHighSurrogate() || i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate())
            return false;
        ++i;
    }
    return true;
}

QString DxfText::resolveEscapes(const QString& text)
{
    if (!text.contains(QLatin1String("\\U+"), Qt::CaseInsensitive))
        return text;
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\\') && i + 6 < text.size()
            && (text.at(i + 1) == QLatin1Char('U') || text.at(i + 1) == QLatin1Char('u'))
            && text.at(i + 2) == QLatin1Char('+') && isHex4(text, i + 3)) {
            const uint code = text.mid(i + 3, 4).toUInt(nullptr, 16);
            if (code != 0) {
                out.append(QChar(static_cast<ushort>(code)));
                i += 6;
                continue;
            }
        }
        out.append(text.at(i));
    }
    return out;
}

QString DxfText::controlCodes(const QString& text)
{
    if (!text.contains(QLatin1String("%%")))
        return text;
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('%') || i + 2 >= text.size() || text.at(i + 1) != QLatin1Char('%')) {
            out.append(text.at(i));
            continue;
        }
        const QChar code = text.at(i + 2).toLower();
        if (code == QLatin1Char('d'))
            out.append(QChar(0x00B0));
        else if (code == QLatin1Char('p'))
            out.append(QChar(0x00B1));
        else if (code == QLatin1Char('c'))
            out.append(QChar(0x2300));
        else if (code == QLatin1Char('%'))
            out.append(QLatin1Char('%'));
        else if (code == QLatin1Char('u') || code == QLatin1Char('o') || code == QLatin1Char('k'))
            ;
        else if (code.isDigit() && i + 4 < text.size() && text.at(i + 3).isDigit() && text.at(i + 4).isDigit()) {
            const int value = text.mid(i + 2, 3).toInt();
            out.append(value > 0 ? QChar(value) : QChar(QLatin1Char(' ')));
            i += 2;
        } else {
            out.append(text.mid(i, 3));
        }
        i += 2;
    }
    return out;
}

QString DxfText::plainMText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('{') || c == QLatin1Char('}'))
            continue;
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar k = text.at(i + 1);
            if (k == QLatin1Char('P') || k == QLatin1Char('X')) {
                out.append(QLatin1Char('\n'));
                ++i;
            } else if (k == QLatin1Char('\\') || k == QLatin1Char('{') || k == QLatin1Char('}')) {
                out.append(k);
                ++i;
            } else if (k == QLatin1Char('~')) {
                out.append(QLatin1Char(' '));
                ++i;
            } else if (QStringLiteral("LlOoKkNn").contains(k)) {
                ++i;
            } else if (k == QLatin1Char('S')) {
                // A stacked fraction "\S1#2;" or tolerance "\S+1^-1;" reads "1/2".
                const int end = text.indexOf(QLatin1Char(';'), i);
                QString stack = text.mid(i + 2, (end < 0 ? text.size() : end) - i - 2);
                stack.replace(QLatin1Char('#'), QLatin1Char('/')).replace(QLatin1Char('^'), QLatin1Char('/'));
                out.append(stack.trimmed());
                i = end < 0 ? text.size() : end;
            } else if (k.isLetter()) {
                // A formatting code that runs to the next ';'.
                const int end = text.indexOf(QLatin1Char(';'), i);
                i = end < 0 ? text.size() : end;
            } else {
                out.append(c);
            }
            continue;
        }
        if (c == QLatin1Char('^') && i + 1 < text.size()) {
            // Caret codes: ^I a tab, ^J a line break, "^ " a caret.
            const QChar k = text.at(++i);
            out.append(k == QLatin1Char('J') ? QChar(QLatin1Char('\n')) : k == QLatin1Char(' ') ? c : QChar(QLatin1Char(' ')));
            continue;
        }
        out.append(c);
    }
    return out;
}

} // namespace Demo
