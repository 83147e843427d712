// Help and the about box.

#include "app/TForm1.h"

namespace zelvik {

void TForm1::MBtnHelpClick() {}

void TForm1::MBtnAboutClick() {}

} // namespace zelvik
