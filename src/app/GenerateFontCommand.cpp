// "Generate font": a new font rendered from a system font.

#include "app/TForm1.h"

namespace zelvik {

void TForm1::BtnGenfontClick() {}

} // namespace zelvik
