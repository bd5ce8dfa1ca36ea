#pragma once

#include "basegallery.h"

namespace KvCc {

// Ribbon gallery of the ten standard views: the six principal views and the
// four corner views. The host connects to itemPressed().
class KVCUSTOMCONTROL_EXPORT ViewGallery : public BaseGallery
{
public:
    ViewGallery();
    ~ViewGallery() override;

private:
    Q_DISABLE_COPY(ViewGallery)
};

} // namespace KvCc
