#pragma once

// Menu shortcuts win over the control that has the focus. A line edit claims
// some keys for itself before any shortcut sees them (Ctrl+A, select all, for
// one); in a window whose menu binds such a key, the menu command runs and
// the control never gets the key.

class QMenuBar;

namespace zelvik {

// For every control in the window of `menuBar`, as long as the menu bar lives.
void giveMenuShortcutsPriority(QMenuBar* menuBar);

} // namespace zelvik
