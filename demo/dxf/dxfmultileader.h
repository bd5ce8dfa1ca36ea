#pragma once

#include "dxfpairreader.h"

#include <QByteArray>
#include <QPointF>
#include <QVector>

namespace Demo {

// The geometry of a multileader, read from its context block: each leader
// line runs through its points to the leader's landing point and on along
// the dogleg; the text (raw, still encoded) sits at a point by its
// attachment, in a frame the landing gap around it when the entity says so.
class DxfMultiLeader
{
public:
    explicit DxfMultiLeader(const QVector<DxfPair>& pairs);

    QVector<QVector<QPointF>> lines;
    QByteArray text;
    QPointF textAt;
    QPointF textDirection;   // null: along x
    double textWidth = 0;    // where its lines wrap; 0: they do not
    double textHeight = -1; // -1: the entity's own
    double arrowSize = 0;
    int attachment = 1;
    int drawingDirection = 1; // of its text: 1 left to right, 3 top to bottom
    double landingGap = 0;
    bool framed = false;

private:
    enum Where { Outside, Context, Leader, Line };

    // Follows the nesting of the block; false once it has ended.
    bool enter(const DxfPair& p);
    void takeLeader(int code, double value);
    void takeContext(const DxfPair& p, double value);
    void finishLine();

    Where m_where = Outside;
    bool m_done = false;
    QVector<QPointF> m_line;
    QPointF m_landing;
    QPointF m_dogleg;
    double m_doglegLength = 0;
};

} // namespace Demo
