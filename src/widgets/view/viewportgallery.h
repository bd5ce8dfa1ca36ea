#pragma once

#include "basegallery.h"

namespace KvCc {

/// Ribbon gallery of the twelve viewport layouts. The host connects to
/// itemPressed().
class KVCUSTOMCONTROL_EXPORT ViewPortGallery : public BaseGallery
{
public:
    /// Builds the complete gallery, without parent: the host puts it in its ribbon.
    ViewPortGallery();
    ~ViewPortGallery() override;

    /// The English name of the arrangement item shows ("Single",
    /// "Three:Left"), the same in every language; empty for an item of
    /// another gallery.
    QString arrangementName(const JtRc::RibbonGalleryItem* item) const { return itemKey(item); }

private:
    Q_DISABLE_COPY(ViewPortGallery)
};

} // namespace KvCc
