#include "dxfblocklinker.h"

#include "dxfimport.h"

namespace Demo {

void DxfBlockLinker::link()
{
    resolveBlocks(m_drawing.entities);
    for (DrawingBlock& block : m_drawing.blocks)
        resolveBlocks(block.entities);
    noteCycles();
}

// Ties each reference to its block by name; those to missing blocks go.
void DxfBlockLinker::resolveBlocks(EntityList& entities)
{
    QVector<bool> keep(entities.size(), true);
    bool missing = false;
    for (int i = 0; i < entities.size(); ++i) {
        if (entities.kind(i) != DrawingEntity::Insert)
            continue;
        const QString name = entities.at(i).text;
        const int block = m_drawing.blockIndex(name);
        if (block < 0) {
            ++m_drawing.skipped[QStringLiteral("of a missing block")];
            m_drawing.noteOnce(QStringLiteral("Block \"%1\" is referred to but not defined; its references are not drawn.").arg(name));
            keep[i] = false;
            missing = true;
            continue;
        }
        entities.setBlock(i, block);
    }
    if (missing)
        entities.keepOnly(keep);
}

// Blocks that insert themselves, directly or through others, are drawn to
// a fixed depth; the drawing says so once for each.
void DxfBlockLinker::noteCycles()
{
    const int count = m_drawing.blocks.size();
    QVector<char> state(count, 0); // 0 new, 1 on the path, 2 done
    QVector<QPair<int, int>> stack;  // block, next entity to look at
    for (int root = 0; root < count; ++root) {
        if (state.at(root))
            continue;
        stack.append({root, 0});
        state[root] = 1;
        while (!stack.isEmpty()) {
            auto& top = stack.last();
            const EntityList& entities = m_drawing.blocks.at(top.first).entities;
            if (top.second >= entities.size()) {
                state[top.first] = 2;
                stack.removeLast();
                continue;
            }
            const DrawingEntity& e = entities.at(top.second++);
            if (e.kind != DrawingEntity::Insert)
                continue;
            if (state.at(e.block) == 1)
                m_drawing.noteOnce(QStringLiteral("Block \"%1\" inserts itself; it is drawn %2 levels deep.")
                             .arg(m_drawing.blocks.at(e.block).name)
                             .arg(DxfImport::maxBlockDepth));
            else if (state.at(e.block) == 0) {
                state[e.block] = 1;
                stack.append({e.block, 0});
            }
        }
    }
}

} // namespace Demo
