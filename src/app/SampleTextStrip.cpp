// The sample text strip below the editor and the dialog that changes its text.

#include "app/TForm1.h"

namespace zelvik {

void TForm1::RenderSampleText() {}

void TForm1::ImgTxtDblClick() {}

} // namespace zelvik
