// libFuzzer entry for the DXF import: any input must end in a drawing or a
// message, within bounded time and memory; the seeds hold blocks that nest,
// insert themselves or are missing, and every kind of entity drawn.
#include "dxfimport.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const Demo::DxfImportResult result = Demo::DxfImport::readData(bytes);
    if (!result.ok && result.error.isEmpty())
        __builtin_trap();
    // Block definitions, references and counts must hold together.
    const Demo::Drawing& d = result.drawing;
    for (const Demo::DrawingBlock& block : d.blocks) {
        for (const Demo::DrawingEntity& e : block.entities) {
            if (e.kind == Demo::DrawingEntity::Insert && (e.block < 0 || e.block >= d.blocks.size()))
                __builtin_trap();
        }
    }
    for (int i = 0; i < d.layers.size(); ++i)
        d.objectSummary(i);
    return 0;
}
