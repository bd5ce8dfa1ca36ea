#pragma once

class QApplication;

namespace Demo {

// Switches the application to the Fusion style with a dark palette, as a
// host with a dark theme runs the widgets.
void useDarkPalette(QApplication& app);

} // namespace Demo
