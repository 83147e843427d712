// "Generate source": the export settings dialog and the writer it chooses.

#include "app/TForm1.h"

namespace zelvik {

void TForm1::BtnGenSourceClick() {}

} // namespace zelvik
