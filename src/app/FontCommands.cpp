// The font commands: New, Open font, Save font and Exit with their questions
// about unsaved work.

#include "app/TForm1.h"

namespace zelvik {

void TForm1::BtnNewClick() {}

void TForm1::BtnLoadCharSetClick() {}

void TForm1::BtnSaveCharSetClick() {}

void TForm1::MBtnExitClick() {
    close(); // the close query decides
}

void TForm1::FormCloseQuery(bool& canClose) {
    canClose = true;
}

} // namespace zelvik
