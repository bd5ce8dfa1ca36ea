#pragma once

#include "basegallery.h"

namespace KvCc {

// Ribbon gallery of the twelve viewport layouts. The host connects to
// itemPressed().
class KVCUSTOMCONTROL_EXPORT ViewPortGallery : public BaseGallery
{
public:
    ViewPortGallery();
    ~ViewPortGallery() override;

private:
    Q_DISABLE_COPY(ViewPortGallery)
};

} // namespace KvCc
