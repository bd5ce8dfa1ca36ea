#pragma once

#include "drawinglayerstate.h"
#include "dxflayerstatereader.h"
#include "dxfobjectedit.h"
#include "dxfrawpair.h"
#include "dxftext.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>

#include <functional>

namespace Demo {

// Works out what a save writes for the drawing's named layer states: the
// records of new and changed states, the states dictionary when states
// come, go or are renamed, and, in a file that has none, the dictionaries
// that hold them. States the drawing holds as the file does cost nothing.
class DxfLayerStateWriter
{
public:
    // source is read from its start (it must be seekable); headEnd: the
    // offset where the file's tables end, as objects must lie after it.
    DxfLayerStateWriter(QIODevice& source, qint64 headEnd, const DxfText& text, const QByteArray& lineEnd);

    // Plans writing states. newLayers maps layerKey() of the name of each
    // layer the save adds to its handle; nextHandle hands out new handles.
    // Returns "" or why the states cannot be written into this file.
    QString prepare(const QVector<DrawingLayerState>& states, const QHash<QString, QByteArray>& newLayers,
                    const std::function<QByteArray()>& nextHandle);
    const DxfObjectEdit& edit() const { return m_edit; }

private:
    struct Plan
    {
        QVector<DrawingLayerState> states; // resolved, with the file's handle where it has one
        QVector<bool> rewrite;             // per state: its record is written
        QVector<bool> added;               // per state: the file holds no record of it
        bool dictionary = false;           // the states dictionary is written
        QSet<QByteArray> removed;          // records of states that are gone
    };

    DrawingLayerState resolved(const DrawingLayerState& state, const QHash<QString, QByteArray>& newLayers) const;
    QString plan(const QVector<DrawingLayerState>& states, const QHash<QString, QByteArray>& newLayers, Plan& out);
    QString check(const DrawingLayerState& state) const;
    QString makeDictionaries(const std::function<QByteArray()>& nextHandle);
    QByteArray statesDictionary(const Plan& plan) const;
    QByteArray record(const DrawingLayerState& state, const QByteArray& owner) const;
    QByteArray objectHead(const char* type, const QByteArray& handle, const QByteArray& owner, bool reactor) const;
    QByteArray pair(int code, const QByteArray& value) const;
    // Adds the objects that those in handles own, and what they own, to handles.
    void addOwned(QSet<QByteArray>& handles) const;

    QIODevice& m_source;
    const qint64 m_headEnd;
    const DxfText m_text;
    const QByteArray m_lineEnd;
    DxfLayerStateReader m_reader;
    DrawingLayerStates m_file; // the states as the file holds them
    QByteArray m_statesDictionary;
    QByteArray m_dictionaryOwner; // of a states dictionary the save adds
    QByteArray m_dictionaries;    // new dictionaries, before the new records
    DxfObjectEdit m_edit;
};

} // namespace Demo
