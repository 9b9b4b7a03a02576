// The Find submenu of the Edit menu and the toolbar's Find button, wired to a window's find
// controller.
#pragma once

class FindController;
class QMenu;
class QToolBar;

namespace FindMenu {

void addTo(QMenu *edit, FindController *find);
void addToolBarButton(QToolBar *bar, FindController *find);

} // namespace FindMenu
