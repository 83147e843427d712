// The sample text strip below the editor and the dialog that changes its text.

#include "app/TForm1.h"
#include "preview/SampleStrip.h"
#include "preview/ui/SampleStripView.h"
#include "preview/ui/TTxtForm.h"
#include "ui/PaintBox.h"

namespace zelvik {

void TForm1::RenderSampleText() {
    ImgTxt->setPicture(renderSampleStrip(fontModel(), sampleText));
}

void TForm1::ImgTxtDblClick() {
    TTxtForm* dialog = dialogs.TxtForm;
    if (!dialog)
        return;
    dialog->setSampleText(sampleText);
    if (platform().execDialog(*dialog) != QDialog::Accepted)
        return;
    sampleText = dialog->sampleText();
    // The preview's paint rebuilds the strip; rebuilding it now as well keeps
    // the strip right while the window is not being painted.
    ImgChar->update();
    RenderSampleText();
}

} // namespace zelvik
