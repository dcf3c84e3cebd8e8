#pragma once

namespace sumwise::qt {

// Lets a screen reader read the panels' own widgets, the display's texts and the tape's
// lines. Called by those widgets as they are made; installing twice is harmless.
void InstallPanelAccessibility();

} // namespace sumwise::qt
