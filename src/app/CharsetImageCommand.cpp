// "Generate charset image": the whole character set as a 1 bit per pixel picture.

#include "app/TForm1.h"

namespace zelvik {

void TForm1::Generatecharsetimage1Click() {}

} // namespace zelvik
