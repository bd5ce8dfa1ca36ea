// libFuzzer entry for the DXF import: any input must end in a drawing or a
// message, within bounded time and memory.
#include "dxfimport.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const Demo::DxfImportResult result = Demo::DxfImport::readData(bytes);
    if (!result.ok && result.error.isEmpty())
        __builtin_trap();
    return 0;
}
