#pragma once

namespace KvCc {

// Makes screen readers see a ribbon gallery as a list of its items, each
// named by its caption and shown selected when it is the checked one. The
// galleries call it when they are made; it installs itself once.
void installGalleryAccessibility();

} // namespace KvCc
