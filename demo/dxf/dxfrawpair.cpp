#include "dxfrawpair.h"

namespace Demo {
namespace {

// The line from pos without its line end; pos moves past the line end.
QByteArray takeLine(const QByteArray& data, int& pos)
{
    const int end = data.indexOf('\n', pos);
    const int stop = end < 0 ? data.size() : end;
    const int length = stop > pos && data.at(stop - 1) == '\r' ? stop - pos - 1 : stop - pos;
    const QByteArray line = data.mid(pos, length);
    pos = end < 0 ? data.size() : end + 1;
    return line;
}

} // namespace

DxfRawPair::DxfRawPair(int groupCode, const QByteArray& newValue, const QByteArray& codeLike)
    : code(groupCode), codeLine(QByteArray::number(groupCode).rightJustified(codeLike.size(), ' ')), value(newValue)
{
}

void DxfRawPair::setValue(const QByteArray& newValue)
{
    if (newValue == value)
        return;
    // Numbers keep the width the file gave them.
    bool number = false;
    newValue.toDouble(&number);
    const bool padded = number && value.startsWith(' ') && !newValue.startsWith(' ');
    value = padded ? newValue.rightJustified(value.size(), ' ') : newValue;
    raw.clear();
}

QByteArray DxfRawPair::bytes(const QByteArray& lineEnd) const
{
    return raw.isEmpty() ? codeLine + lineEnd + value + lineEnd : raw;
}

QVector<DxfRawPair> DxfRawPair::split(const QByteArray& data, int end)
{
    QVector<DxfRawPair> pairs;
    const int stop = end < 0 ? data.size() : end;
    int pos = 0;
    while (pos < stop) {
        const int begin = pos;
        DxfRawPair pair;
        pair.codeLine = takeLine(data, pos);
        bool ok = false;
        pair.code = pair.codeLine.trimmed().toInt(&ok);
        if (!ok || pos >= data.size())
            break;
        pair.value = takeLine(data, pos);
        pair.raw = data.mid(begin, pos - begin);
        pairs.append(pair);
    }
    return pairs;
}

QByteArray DxfRawPair::lineEndOf(const QByteArray& data)
{
    const int end = data.indexOf('\n');
    return end > 0 && data.at(end - 1) == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

} // namespace Demo
