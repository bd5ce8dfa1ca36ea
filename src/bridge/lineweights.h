#pragma once

#include "kvcustomcontrol_export.h"

#include <QVector>

namespace KvCc {

/// The 24 lineweights a layer may have, in hundredths of a millimetre,
/// ascending from 0 to 211. Every lineweight list and text of the library
/// is made from this one table.
KVCUSTOMCONTROL_EXPORT const QVector<int>& standardLineWeights();

} // namespace KvCc
