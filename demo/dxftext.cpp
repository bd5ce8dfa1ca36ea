#include "dxftext.h"

#include <QTextCodec>

namespace Demo {
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
    m_codec = QTextCodec::codecForName(m_utf8 ? QByteArray("UTF-8") : codecNameForCodePage(codePage));
    if (!m_codec)
        m_codec = QTextCodec::codecForName("windows-1252");
}

QByteArray DxfText::codecName() const
{
    return m_codec ? m_codec->name() : QByteArray();
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
    if (!QTextCodec::codecForName(name))
        name = "windows-1252";
    return name;
}

QString DxfText::decode(const QByteArray& raw) const
{
    return resolveEscapes(m_codec->toUnicode(raw));
}

QByteArray DxfText::encode(const QString& text) const
{
    if (m_utf8 || m_codec->canEncode(text))
        return m_codec->fromUnicode(text);
    QByteArray out;
    for (const QChar c : text) {
        if (m_codec->canEncode(c))
            out += m_codec->fromUnicode(QString(c));
        else
            out += "\\U+" + QByteArray::number(c.unicode(), 16).toUpper().rightJustified(4, '0');
    }
    return out;
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
