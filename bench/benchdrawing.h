#pragma once

#include <QByteArray>
#include <QString>

// A generated R2000 drawing, its objects with the handles and groups an
// R2000 writer gives them: layers layers, twenty small blocks, and
// entities lines and block references on a grid, one in insertEvery a
// reference, spread over the layers.
QByteArray generatedDrawing(int layers, int entities, int insertEvery);

// Median time of dxflib reading the file into an empty handler: the floor
// any reader of the whole file stands on.
double dxflibParseMs(const QString& path, int runs);

// Writes data to path whole; false when it could not.
bool writeFile(const QString& path, const QByteArray& data);

// The process's peak resident memory since the last resetPeak(), in MB
// (Linux; 0 elsewhere).
double peakMb();
void resetPeak();
