#pragma once

#include <QBuffer>
#include <QImage>
#include <QResource>

#include <algorithm>
#include <utility>
#include <vector>

// Stands in for the host's pictures of the standard views and viewport
// layouts: plain pictures registered under ":/" straight from memory, for as
// long as the object lives.
class HostIcons
{
public:
    // Side of the view pictures and of the viewport layout pictures, which
    // the viewport gallery scales down.
    static constexpr int viewSize = 16;
    static constexpr int viewportSize = 32;

    HostIcons()
    {
        std::vector<std::pair<QString, QByteArray>> files;
        for (const char* name : {"VIETOP", "VIEBOT", "VIELEF", "VIERIG", "VIEFRO", "VIEBAC", "VIESWI", "VIESEI",
                                 "VIENEI", "VIENWI"})
            files.emplace_back(QStringLiteral("KVRC_%1.png").arg(name), png(viewSize));
        for (const char* name : {"VPONE", "VPDOUBLEV", "VPDOUBLEH", "VPTHREER", "VPTHREEL", "VPTHREET",
                                 "VPTHREEB", "VPTHREEV", "VPTHREEH", "VPFOUREQ", "VPFOURR", "VPFOURL"})
            files.emplace_back(QStringLiteral("KVRC_%1.png").arg(name), png(viewportSize));
        data = resourceTree(files);
        registered = QResource::registerResource(reinterpret_cast<const uchar*>(data.constData()));
    }

    ~HostIcons()
    {
        if (registered)
            QResource::unregisterResource(reinterpret_cast<const uchar*>(data.constData()));
    }

    bool isRegistered() const { return registered; }

private:
    QByteArray data;
    bool registered = false;

    static QByteArray png(int side)
    {
        QImage image(side, side, QImage::Format_ARGB32);
        image.fill(QColor(60, 140, 220));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

    // The hash the resource system looks names up by.
    static quint32 nameHash(const QString& name)
    {
        quint32 h = 0;
        for (const QChar c : name) {
            h = (h << 4) + c.unicode();
            h ^= (h & 0xf0000000) >> 23;
            h &= 0x0fffffff;
        }
        return h;
    }

    // A compiled resource (format 1) of one root folder holding the files:
    // header, node table, file data, names. Children are sorted by name hash.
    static QByteArray resourceTree(std::vector<std::pair<QString, QByteArray>> files)
    {
        std::sort(files.begin(), files.end(),
                  [](const auto& a, const auto& b) { return nameHash(a.first) < nameHash(b.first); });
        QByteArray tree, blobs, names;
        auto put = [](QByteArray& to, quint32 value, int bytes) {
            for (int i = bytes - 1; i >= 0; --i)
                to.append(char(value >> (8 * i)));
        };
        put(tree, 0, 4), put(tree, 2, 2), put(tree, quint32(files.size()), 4), put(tree, 1, 4); // the root
        for (const auto& file : files) {
            put(tree, quint32(names.size()), 4), put(tree, 0, 2), put(tree, 0, 2), put(tree, 1, 2);
            put(tree, quint32(blobs.size()), 4);
            put(names, quint32(file.first.size()), 2), put(names, nameHash(file.first), 4);
            for (const QChar c : file.first)
                put(names, c.unicode(), 2);
            put(blobs, quint32(file.second.size()), 4);
            blobs += file.second;
        }
        QByteArray out("qres");
        const int header = 20;
        put(out, 1, 4), put(out, header, 4), put(out, header + tree.size(), 4);
        put(out, header + tree.size() + blobs.size(), 4);
        return out + tree + blobs + names;
    }
};
