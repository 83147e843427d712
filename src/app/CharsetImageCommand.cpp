// "Generate charset image": the whole character set as a 1 bit per pixel picture.
// It reads the stored slots only and changes nothing in the font.

#include "app/TForm1.h"
#include "font/ForceExtension.h"
#include "preview/CharsetImage.h"

namespace zelvik {

void TForm1::Generatecharsetimage1Click() {
    FileDialogRequest request;
    request.filter = kCharsetImageFilter;
    request.filterIndex = 1;
    request.initialFolder = folders.pictureFolder;
    const FileDialogAnswer answer = platform().saveFileDialog(request);
    if (!answer.accepted || answer.fileName.isEmpty())
        return;
    const QString folder = folderOf(answer.fileName);
    if (!folder.isEmpty())
        folders.pictureFolder = folder;
    // The labels take the typeface the editor's fields ask for.
    const Result<> written = writeCharsetImage(
        fontModel(), forceExtension(answer.fileName, kCharsetImageExtension), font().family());
    if (!written)
        platform().messageBox(written.describe(), kGeneratingCharsetImageCaption,
                              MessageIcon::Error, MessageButtons::Ok);
}

} // namespace zelvik
