#pragma once

class QAbstractItemView;

namespace KvCc {

// Views that share one delegate all hear its commitData() and closeEditor(),
// whichever of them opened the editor; Qt 6 warns in each view that did not.
// This lets only the view that holds the editor take them.
void routeEditorNotices(QAbstractItemView* view);

} // namespace KvCc
