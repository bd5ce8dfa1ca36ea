#pragma once

#include <QString>

namespace Demo {

// The pen pattern that stands for a linetype on screen and in samples.
Qt::PenStyle linetypePenStyle(const QString& linetype);

} // namespace Demo
