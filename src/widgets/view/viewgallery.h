#pragma once

#include "basegallery.h"

namespace KvCc {

/// Ribbon gallery of the ten standard views: the six principal views and the
/// four corner views. The host connects to itemPressed().
class KVCUSTOMCONTROL_EXPORT ViewGallery : public BaseGallery
{
public:
    /// Builds the complete gallery, without parent: the host puts it in its ribbon.
    ViewGallery();
    ~ViewGallery() override;

    /// The English name of the view item shows ("Top", "Southeast"), the
    /// same in every language; empty for an item of another gallery.
    QString viewName(const JtRc::RibbonGalleryItem* item) const { return itemKey(item); }

private:
    Q_DISABLE_COPY(ViewGallery)
};

} // namespace KvCc
